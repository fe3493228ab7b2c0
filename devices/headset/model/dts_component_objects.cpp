#include "devices/headset/model/dts_component_objects.h"

#include "devices/headset/audio_endpoints.h"

#include <atomic>

using namespace dts;

namespace {

constexpr HRESULT E_NOTFOUND = static_cast<HRESULT>(0x80070490u);

std::wstring wide(const QString& text)
{
    return text.toStdWString();
}

// Reference counting and interface lookup shared by every object of the component.
template <class Interface>
class ComponentObject : public Interface {
public:
    explicit ComponentObject(std::shared_ptr<DtsComponentState> state) : m_state(std::move(state)) { ++m_state->liveObjects; }
    ~ComponentObject() override { --m_state->liveObjects; }

    HRESULT QueryInterface(const Guid& iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (iid != IID_IUnknown && !answersTo(iid))
            return E_NOINTERFACE;
        AddRef();
        *object = static_cast<Interface*>(this);
        return S_OK;
    }
    std::uint32_t AddRef() override { return ++m_references; }
    std::uint32_t Release() override
    {
        const std::uint32_t left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    virtual bool answersTo(const Guid&) const { return false; }

    std::shared_ptr<DtsComponentState> m_state;

private:
    std::atomic<std::uint32_t> m_references{1};
};

template <class Out, class Object>
HRESULT handOut(Out** out, Object* object)
{
    *out = object;
    return S_OK;
}

class ComponentControlObject : public ComponentObject<IDTSAPOControlStr> {
public:
    ComponentControlObject(std::shared_ptr<DtsComponentState> state, int endpoint, int mode, int index)
        : ComponentObject(std::move(state)), m_endpoint(endpoint), m_mode(mode), m_index(index) {}

    HRESULT GetName(std::wstring* name) override
    {
        const std::optional<DtsControl> control = m_state->control(m_endpoint, m_mode, m_index);
        if (!name || !control)
            return E_FAIL;
        *name = wide(control->name);
        return S_OK;
    }
    HRESULT unused2() override { return E_NOTIMPL; }
    HRESULT unused3() override { return E_NOTIMPL; }
    HRESULT unused4() override { return E_NOTIMPL; }
    HRESULT GetIntValue(LONG* value) override
    {
        const std::optional<DtsControl> control = m_state->control(m_endpoint, m_mode, m_index);
        if (!value)
            return E_POINTER;
        if (!control || control->isText)
            return E_FAIL;
        *value = control->value;
        return S_OK;
    }
    HRESULT SetIntValue(LONG value) override
    {
        return m_state->setControlInt(m_endpoint, m_mode, m_index, value) ? S_OK : E_FAIL;
    }
    HRESULT unused7() override { return E_NOTIMPL; }
    HRESULT SetStrValue(const std::wstring& value) override
    {
        return m_state->setControlText(m_endpoint, m_mode, m_index, QString::fromStdWString(value)) ? S_OK : E_FAIL;
    }

protected:
    // Only a control that holds text answers to the text interface.
    bool answersTo(const Guid& iid) const override
    {
        const std::optional<DtsControl> control = m_state->control(m_endpoint, m_mode, m_index);
        return iid == IID_IDTSAPOControlStr && control && control->isText;
    }

private:
    int m_endpoint;
    int m_mode;
    int m_index;
};

class ComponentControlEnumerator : public ComponentObject<IDTSAPOControlEnumerator2> {
public:
    ComponentControlEnumerator(std::shared_ptr<DtsComponentState> state, int endpoint, int mode)
        : ComponentObject(std::move(state)), m_endpoint(endpoint), m_mode(mode) {}

    HRESULT Next(IDTSAPOControl** control) override
    {
        if (!control)
            return E_POINTER;
        *control = nullptr;
        if (m_next >= m_state->controlCount(m_endpoint, m_mode))
            return S_FALSE;
        return handOut(control, new ComponentControlObject(m_state, m_endpoint, m_mode, m_next++));
    }

protected:
    bool answersTo(const Guid& iid) const override { return iid == IID_IDTSAPOControlEnumerator2; }

private:
    int m_endpoint;
    int m_mode;
    int m_next = 0;
};

class ComponentModeObject : public ComponentObject<IDTSAPOOpMode> {
public:
    ComponentModeObject(std::shared_ptr<DtsComponentState> state, int endpoint, int mode)
        : ComponentObject(std::move(state)), m_endpoint(endpoint), m_mode(mode) {}

    int endpoint() const { return m_endpoint; }
    int mode() const { return m_mode; }

    HRESULT GetControlEnumerator(const ControlFilter*, IDTSAPOControlEnumerator** enumerator) override
    {
        if (!enumerator)
            return E_POINTER;
        return handOut(enumerator, new ComponentControlEnumerator(m_state, m_endpoint, m_mode));
    }
    HRESULT GetName(std::wstring* name) override
    {
        if (!name)
            return E_POINTER;
        *name = wide(m_state->modeName(m_endpoint, m_mode));
        return S_OK;
    }
    HRESULT unused3() override { return E_NOTIMPL; }
    HRESULT GetProcessingEnabled(bool* enabled) override
    {
        if (!enabled)
            return E_POINTER;
        *enabled = m_state->processing(m_endpoint, m_mode);
        return S_OK;
    }
    HRESULT SetProcessingEnabled(bool enabled) override
    {
        m_state->setProcessing(m_endpoint, m_mode, enabled);
        return S_OK;
    }
    HRESULT unused6() override { return E_NOTIMPL; }
    HRESULT SetAutoContentMode(bool enabled) override
    {
        m_state->setAutoContent(m_endpoint, m_mode, enabled);
        return S_OK;
    }

private:
    int m_endpoint;
    int m_mode;
};

class ComponentModeEnumerator : public ComponentObject<IDTSAPOOpModeEnumerator> {
public:
    ComponentModeEnumerator(std::shared_ptr<DtsComponentState> state, int endpoint)
        : ComponentObject(std::move(state)), m_endpoint(endpoint) {}

    HRESULT Next(IDTSAPOOpMode** mode) override
    {
        if (!mode)
            return E_POINTER;
        *mode = nullptr;
        if (m_next >= m_state->modeCount(m_endpoint))
            return S_FALSE;
        return handOut(mode, new ComponentModeObject(m_state, m_endpoint, m_next++));
    }

private:
    int m_endpoint;
    int m_next = 0;
};

class ComponentEndpointObject : public ComponentObject<IDTSEndpointInfo> {
public:
    ComponentEndpointObject(std::shared_ptr<DtsComponentState> state, int endpoint)
        : ComponentObject(std::move(state)), m_endpoint(endpoint) {}

    HRESULT GetFriendlyName(std::wstring* name) override { return text(name, m_state->endpointInfo(m_endpoint).friendlyName); }
    HRESULT GetConfigFile(std::wstring* path) override { return text(path, m_state->endpointInfo(m_endpoint).configFile); }
    HRESULT GetRegistryPath(std::wstring* path) override { return text(path, m_state->endpointInfo(m_endpoint).registryPath); }
    HRESULT GetOpModeEnumerator(IDTSAPOOpModeEnumerator** enumerator) override
    {
        if (!enumerator)
            return E_POINTER;
        return handOut(enumerator, new ComponentModeEnumerator(m_state, m_endpoint));
    }
    HRESULT unused5() override { return E_NOTIMPL; }
    HRESULT SetActiveOpMode(IDTSAPOOpMode* mode) override
    {
        // Only a mode this endpoint handed out can become its active mode.
        const auto* own = dynamic_cast<ComponentModeObject*>(mode);
        if (!own || own->endpoint() != m_endpoint)
            return E_INVALIDARG;
        return m_state->setActiveMode(m_endpoint, own->mode()) ? S_OK : E_FAIL;
    }
    HRESULT GetActiveOpMode(IDTSAPOOpMode** mode) override
    {
        if (!mode)
            return E_POINTER;
        *mode = nullptr;
        const int active = m_state->activeMode(m_endpoint);
        if (active < 0)
            return E_FAIL;
        return handOut(mode, new ComponentModeObject(m_state, m_endpoint, active));
    }

private:
    static HRESULT text(std::wstring* out, const QString& value)
    {
        if (!out)
            return E_POINTER;
        *out = wide(value);
        return S_OK;
    }

    int m_endpoint;
};

class ComponentEndpointEnumerator : public ComponentObject<IDTSEndpointEnumerator> {
public:
    using ComponentObject::ComponentObject;

    HRESULT Next(IDTSEndpointInfo** endpoint) override
    {
        if (!endpoint)
            return E_POINTER;
        *endpoint = nullptr;
        if (m_next >= m_state->endpointCount())
            return S_FALSE;
        return handOut(endpoint, new ComponentEndpointObject(m_state, m_next++));
    }

private:
    int m_next = 0;
};

class ComponentSystem : public ComponentObject<IDTSAPOSystem> {
public:
    using ComponentObject::ComponentObject;

    HRESULT GetEndpointEnumerator(IDTSEndpointEnumerator** enumerator) override
    {
        if (!enumerator)
            return E_POINTER;
        *enumerator = nullptr;
        // The component lists its endpoints only once it has been initialised.
        if (!m_initialized)
            return E_FAIL;
        return handOut(enumerator, new ComponentEndpointEnumerator(m_state));
    }
    HRESULT Initialize(std::uint32_t) override
    {
        if (m_state->refuseInitialize)
            return E_FAIL;
        m_initialized = true;
        return S_OK;
    }

protected:
    bool answersTo(const Guid& iid) const override { return iid == IID_IDTSAPOSystem; }

private:
    bool m_initialized = false;
};

class ComponentAudioDevice : public ComponentObject<IMMDevice> {
public:
    ComponentAudioDevice(std::shared_ptr<DtsComponentState> state, QString id)
        : ComponentObject(std::move(state)), m_id(std::move(id)) {}

    HRESULT unused1() override { return E_NOTIMPL; }
    HRESULT unused2() override { return E_NOTIMPL; }
    HRESULT GetId(std::wstring* id) override
    {
        if (!id)
            return E_POINTER;
        *id = wide(m_id);
        return S_OK;
    }

private:
    QString m_id;
};

class ComponentAudioEnumerator : public ComponentObject<IMMDeviceEnumerator> {
public:
    using ComponentObject::ComponentObject;

    HRESULT unused1() override { return E_NOTIMPL; }
    HRESULT GetDefaultAudioEndpoint(EDataFlow flow, ERole, IMMDevice** device) override
    {
        if (!device)
            return E_POINTER;
        *device = nullptr;
        const QString id = m_state->defaultRenderId();
        if (flow != eRender || id.isEmpty())
            return E_NOTFOUND;
        return handOut(device, new ComponentAudioDevice(m_state, id));
    }

protected:
    bool answersTo(const Guid& iid) const override { return iid == IID_IMMDeviceEnumerator; }
};

} // namespace

HRESULT createComponentObject(const std::shared_ptr<DtsComponentState>& state, const Guid& clsid, const Guid& iid,
                              void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    IUnknown* created = nullptr;
    if (clsid == CLSID_DTSAPOSystem)
        created = new ComponentSystem(state);
    else if (clsid == CLSID_MMDeviceEnumerator)
        created = new ComponentAudioEnumerator(state);
    else
        return REGDB_E_CLASSNOTREG;
    // Hand out the wanted interface and drop the creation reference.
    const HRESULT hr = created->QueryInterface(iid, object);
    created->Release();
    return hr;
}
