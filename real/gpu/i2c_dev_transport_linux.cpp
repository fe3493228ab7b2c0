// The real transport: one I2C_RDWR ioctl per transfer, so the messages of one register access
// go out with repeated starts and no other program's message in between.
#include "real/gpu/i2c_transport.h"

#include <linux/i2c-dev.h>
#include <linux/i2c.h>
#include <sys/ioctl.h>
#include <cstddef>
#include <vector>

namespace {

class I2cDevTransport final : public I2cTransport {
public:
    bool transfer(int fd, int /*adapter*/, I2cMessage* messages, int count) override
    {
        std::vector<i2c_msg> kernelMessages(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            kernelMessages[std::size_t(i)].addr = messages[i].address;
            kernelMessages[std::size_t(i)].flags = messages[i].read ? I2C_M_RD : 0;
            kernelMessages[std::size_t(i)].len = messages[i].length;
            kernelMessages[std::size_t(i)].buf = messages[i].data;
        }
        i2c_rdwr_ioctl_data request{kernelMessages.data(), uint32_t(count)};
        return ioctl(fd, I2C_RDWR, &request) == count;
    }
};

} // namespace

I2cTransport& libraryTransport()
{
    static I2cDevTransport transport;
    return transport;
}
