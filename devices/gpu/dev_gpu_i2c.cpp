// The two ways lighting registers reach the card's controller, each in its own ADLX session
// on the lighting loader.
#include "devices/gpu/dev_gpu.h"

#include "devices/gpu/adlx_session.h"
#include "util/logging.h"

#include <QDebug>
#include <QThread>
#include <exception>

namespace {

// The controller needs time to take one register before the next arrives.
constexpr unsigned long kPauseBetweenWritesMs = 50;

ADLX_RESULT sendWrite(IADLXI2C* i2c, const RegisterWrite& write)
{
    return i2c->Write(kLightingI2cLine, kLightingI2cSpeed, kLightingAddress, write.reg, adlx_int(write.payload.size()),
                      write.payload.data());
}

void logTerminate(ADLX_RESULT code)
{
    qDebug() << "Destroy ADLX res: " << int(code);
}

// Opens the card's I2C interface; false (and a log line) when the card or its bus is missing.
bool openCardI2c(AdlxSession& session, int GPUindex, IADLXGPUListPtr& gpus, IADLXGPUPtr& gpu, IADLXI2CPtr& i2c)
{
    if (!adlxSucceeded(session.system()->GetGPUs(gpus.receive())) || !gpus || gpus->Empty()) {
        gpus.reset();
        logTerminate(session.terminate());
        return false;
    }
    if (!adlxSucceeded(gpus->At(adlx_uint(GPUindex), gpu.receive())) || !gpu)
        return false;
    return adlxSucceeded(session.system()->GetI2C(gpu.get(), i2c.receive())) && i2c;
}

} // namespace

int DEV_GPU::writeFourRegisters(int GPUindex, const std::array<RegisterWrite, 4>& writes)
{
    writeStdout(QStringLiteral("RGB_Write_Control_update GPUindex: ") + QString::number(GPUindex) + QLatin1Char('\n'));
    return writeRegisters(GPUindex, writes.data(), writes.size(), kPauseBetweenWritesMs, false);
}

int DEV_GPU::writeOneRegister(int GPUindex, const RegisterWrite& write)
{
    return writeRegisters(GPUindex, &write, 1, 0, true);
}

// One library session for the writes, in order, each result printed. A failed write does not
// stop the others: the controller keeps what it took. 1 when every write succeeded, else -1.
int DEV_GPU::writeRegisters(int GPUindex, const RegisterWrite* writes, size_t count, unsigned long pauseMs,
                            bool logTerminateResult)
{
    try {
        AdlxSession session(lightingLoader(), m_setup.adlxLibrary);
        if (!session.ok()) {
            qCritical() << "ADLX initialization failed ";
            return -1;
        }
        bool allWritten = true;
        {
            IADLXGPUListPtr gpus;
            IADLXGPUPtr gpu;
            IADLXI2CPtr i2c;
            if (!openCardI2c(session, GPUindex, gpus, gpu, i2c))
                return -1;
            for (size_t i = 0; i < count; ++i) {
                const ADLX_RESULT code = sendWrite(i2c.get(), writes[i]);
                ADLXHelper::PrintResult(code);
                allWritten = allWritten && code == ADLX_OK;
                if (pauseMs > 0)
                    QThread::msleep(pauseMs);
            }
        }
        const ADLX_RESULT terminated = session.terminate();
        if (logTerminateResult)
            logTerminate(terminated);
        return allWritten ? 1 : -1;
    } catch (const std::exception& e) {
        qCritical() << "Caught exception: " << e.what();
        return -1;
    }
}
