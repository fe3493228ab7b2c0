// The transport of the Linux library's test build: every adapter may carry a lighting
// controller (a register file, lighting_controller.h), and every transfer is written to a trace,
// message by message, so tests compare the bytes the library composed.
//
// Environment:
//   TALVORIN_I2C_CONTROLLERS  which adapters carry a controller and of which type, as
//                             "7:0,9:1" (type "any" takes every register); others acknowledge
//                             nothing
//   TALVORIN_I2C_TRACE        file that gets one line per transfer:
//                             "i2c-7 w22[82] r22[01 04 00] ack", "i2c-7 w22[30 FF 00 00] nak"
#include "real/gpu/i2c_address.h"
#include "real/gpu/i2c_transport.h"
#include "sim/gpu/lighting_controller.h"

#include <QFile>
#include <QStringList>
#include <map>
#include <mutex>

namespace {

QString hexBytes(const uint8_t* data, int size)
{
    QStringList parts;
    for (int i = 0; i < size; ++i)
        parts << QStringLiteral("%1").arg(data[i], 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char(' '));
}

class RecordingTransport final : public I2cTransport {
public:
    bool transfer(int, int adapter, I2cMessage* messages, int count) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        refreshControllers();
        const auto it = m_controllers.find(adapter);
        const bool acknowledged = it != m_controllers.end() && deliver(it->second, messages, count);
        QStringList parts{QStringLiteral("i2c-%1").arg(adapter)};
        for (int i = 0; i < count; ++i) {
            const I2cMessage& m = messages[i];
            const bool showBytes = !m.read || acknowledged;
            parts << QStringLiteral("%1%2[%3]")
                         .arg(m.read ? QLatin1Char('r') : QLatin1Char('w'))
                         .arg(m.address, 2, 16, QLatin1Char('0'))
                         .arg(showBytes ? hexBytes(m.data, m.length) : QString::number(m.length));
        }
        parts << (acknowledged ? QStringLiteral("ack") : QStringLiteral("nak"));
        record(parts.join(QLatin1Char(' ')));
        return acknowledged;
    }

private:
    // The controller sits at the lighting address; it takes "register, bytes" and answers a
    // register read after a one-byte register write.
    static bool deliver(LightingController& controller, I2cMessage* messages, int count)
    {
        using C = LightingController;
        for (int i = 0; i < count; ++i) {
            if (messages[i].address != kControllerBusAddress || messages[i].length < 1)
                return false;
        }
        if (count == 1 && !messages[0].read)
            return controller.write(C::kLine, C::kAddress, messages[0].data[0], messages[0].data + 1,
                                    messages[0].length - 1) == 0;
        if (count == 2 && !messages[0].read && messages[0].length == 1 && messages[1].read)
            return controller.read(C::kLine, C::kAddress, messages[0].data[0], messages[1].data, messages[1].length) == 0;
        return false;
    }

    void refreshControllers()
    {
        const QString text = qEnvironmentVariable("TALVORIN_I2C_CONTROLLERS");
        if (text == m_controllersText)
            return;
        m_controllersText = text;
        m_controllers.clear();
        for (const QString& entry : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QStringList pair = entry.split(QLatin1Char(':'));
            if (pair.size() != 2)
                continue;
            const int type = pair[1] == QLatin1String("any") ? -1 : pair[1].toInt();
            m_controllers.emplace(pair[0].toInt(), LightingController(true, type));
        }
    }

    static void record(const QString& line)
    {
        const QString path = qEnvironmentVariable("TALVORIN_I2C_TRACE");
        QFile file(path);
        if (path.isEmpty() || !file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
            return;
        file.write((line + QLatin1Char('\n')).toUtf8());
    }

    std::mutex m_mutex;
    QString m_controllersText;
    std::map<int, LightingController> m_controllers;
};

} // namespace

I2cTransport& libraryTransport()
{
    static RecordingTransport transport;
    return transport;
}
