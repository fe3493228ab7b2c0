#pragma once
// The device object for the AMD graphics cards: discovery and driver strings, live metrics,
// the RGB lighting controller on the card's I2C bus and the lighting favourites.
//
// Every operation opens and closes its own ADLX session on one of the two process-wide loaders
// (adlx_session.h), so two DEV_GPU objects on two threads (the worker's and the background
// listener's) can run at the same time; the members of one object belong to its own thread.
#include "bridge/bridge_object.h"
#include "devices/device_setup.h"
#include "devices/gpu/adlx_ptr.h"
#include "devices/gpu/lighting_bus_codes.h"
#include "devices/gpu/lighting_frames.h"
#include "devices/gpu/metrics_table.h"

#include <QVariantMap>
#include <map>
#include <string>

class DEV_GPU : public BridgeObject {
    Q_OBJECT
public:
    explicit DEV_GPU(const DeviceSetup& setup, QObject* parent = nullptr);

    // Discovery and driver information.
    void check_HardwareDevices();
    bool checkForAMDGPUWithRegistry(std::map<std::string, int> protocolDict);
    QVariantMap get_GPUDevicesInfo();
    QVariantMap get_AMDDriverInfo(const IADLXGPUPtr& gpu);

    // Metrics of the card with ADLX index GPUIndex.
    QVariantMap realtime_getGPU_Information(int GPUIndex);

    // Lighting. Each returns 1 when every register write succeeded, else -1.
    void command_offset(int protocolType);
    int click_turnOnOff(int GPUindex, int sliderBrightness_value, int sliderSpeed_value, int rgb_r, int rgb_g,
                        int rgb_b, int tmp_OnOff);
    int click_singleColor(int GPUindex, int sliderBrightness_value, int sliderSpeed_value, int rgb_r, int rgb_g, int rgb_b);
    int click_breathing(int GPUindex, int sliderBrightness_value, int sliderSpeed_value, int rgb_r, int rgb_g, int rgb_b);
    int click_blink(int GPUindex, int sliderBrightness_value, int sliderSpeed_value, int rgb_r, int rgb_g, int rgb_b);
    int click_doubleBlink(int GPUindex, int sliderBrightness_value, int sliderSpeed_value, int rgb_r, int rgb_g, int rgb_b);
    int click_colorShift(int GPUindex, int sliderBrightness_value, int sliderSpeed_value, int rgb_r, int rgb_g, int rgb_b);
    int click_meteor(int GPUindex, int sliderBrightness_value, int sliderSpeed_value, int rgb_r, int rgb_g, int rgb_b);
    int click_ripple(int GPUindex, int sliderBrightness_value, int sliderSpeed_value, int rgb_r, int rgb_g, int rgb_b);
    int click_sevenColors(int GPUindex, int sliderBrightness_value, int sliderSpeed_value, int rgb_r, int rgb_g, int rgb_b);
    int sync_MotherBoard_State_On(int GPUindex);
    int sync_MotherBoard_State_Off(int GPUindex);

    // Favourites (a JSON array of the page's favourite maps at filePath).
    QVariantList getUserFavoriteInfo(QString filePath);
    void addNewUserFavorite(QString filePath, QVariantMap data);
    void removeUserFavoriteIndex(QString filePath, int index);

    // The card the page works on; kept for the worker, not used by the calls above.
    void setCurrentGpuIndex(int index) { m_currentGpuIndex = index; }
    int currentGpuIndex() const { return m_currentGpuIndex; }

    int lastAdlxResult() const { return m_lastAdlxResult; }
    const std::map<std::string, int>& protocolDict() const { return m_protocolDict; }
    const std::map<std::string, int>& lightingState() const { return m_lightingState; }
    const LightingRegisters& registers() const { return m_registers; }
    // Where favourites would live if the caller gave no path.
    const QString& defaultFavouritesPath() const { return m_favoritePath; }

public slots:
    void Destroy_ADLX();

private:
    // Discovery.
    void listCards(IADLXSystem* system);
    void examineCard(IADLXSystem* system, IADLXPerformanceMonitoringServices* services, IADLXGPUList* gpus,
                     adlx_uint index, int* listed);
    LightingProbe probeLightingController(IADLXSystem* system, const IADLXGPUPtr& gpu);
    void readCardIds(const IADLXGPUPtr& gpu);
    void readCardDetails(const IADLXGPUPtr& gpu);
    void fillMetricRanges(IADLXPerformanceMonitoringServices* services, const IADLXGPUPtr& gpu);
    void markNoGpu(const QString& error);

    // Metrics.
    void sampleMetrics(IADLXSystem* system, int GPUIndex);
    void sampleCardMetrics(IADLXPerformanceMonitoringServices* services, const IADLXGPUPtr& gpu);
    void resetMetricValues();

    // Lighting.
    int protocolTypeOf(int GPUindex) const;
    int runEffect(LightingEffect effect, const char* banner, const char* indexLine, int GPUindex, int brightness,
                  int speed, int red, int green, int blue);
    int writeSyncState(int GPUindex, bool on);
    void recordLightingState(LightingEffect effect, int GPUindex, int brightness, int speed, int red, int green, int blue);
    // One ADLX session writing the four registers, 50 ms apart; 1 when all four answered 0.
    int writeFourRegisters(int GPUindex, const std::array<RegisterWrite, 4>& writes);
    // One ADLX session writing one register; 1 when it answered 0.
    int writeOneRegister(int GPUindex, const RegisterWrite& write);
    int writeRegisters(int GPUindex, const RegisterWrite* writes, size_t count, unsigned long pauseMs,
                       bool logTerminateResult);

    DeviceSetup m_setup;
    QString m_favoritePath;
    LightingRegisters m_registers;
    std::map<std::string, int> m_protocolDict;
    int m_lastAdlxResult = ADLX_FAIL;
    QVariantMap m_workingMap;
    QVariantMap m_gpuInfo;
    std::string m_boardKey;
    int m_gpuCount = 0;
    QString m_countText = QStringLiteral("0");
    std::map<int, int> m_protocolByIndex;
    std::map<std::string, int> m_lightingState;
    int m_currentGpuIndex = 0;
};
