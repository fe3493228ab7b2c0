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
            // A failed write does not stop the others: the controller keeps what it took.
            for (const RegisterWrite& write : writes) {
                const ADLX_RESULT code = sendWrite(i2c.get(), write);
                ADLXHelper::PrintResult(code);
                allWritten = allWritten && code == ADLX_OK;
                QThread::msleep(kPauseBetweenWritesMs);
            }
        }
        session.terminate();
        return allWritten ? 1 : -1;
    } catch (const std::exception& e) {
        qCritical() << "Caught exception: " << e.what();
        return -1;
    }
}

int DEV_GPU::writeOneRegister(int GPUindex, const RegisterWrite& write)
{
    try {
        AdlxSession session(lightingLoader(), m_setup.adlxLibrary);
        if (!session.ok()) {
            qCritical() << "ADLX initialization failed ";
            return -1;
        }
        ADLX_RESULT code = ADLX_FAIL;
        {
            IADLXGPUListPtr gpus;
            IADLXGPUPtr gpu;
            IADLXI2CPtr i2c;
            if (!openCardI2c(session, GPUindex, gpus, gpu, i2c))
                return -1;
            code = sendWrite(i2c.get(), write);
            ADLXHelper::PrintResult(code);
        }
        logTerminate(session.terminate());
        return code == ADLX_OK ? 1 : -1;
    } catch (const std::exception& e) {
        qCritical() << "Caught exception: " << e.what();
        return -1;
    }
}
