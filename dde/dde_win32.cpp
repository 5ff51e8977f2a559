// The DDE server: names as string handles, the transaction callback, advises after each measurement.
#include "dde/dde_win32.h"

#include "app/app_state.h"
#include "dde/dde_names.h"
#include "presentation/value_text_win32.h"
#include "resources/resource.h"

namespace {

// One per process. DDEML's callback carries no context of ours, so the server lives here; only the main
// thread touches it.
struct DdeServer {
    DWORD instance; // 0: no server
    HSZ service;
    HSZ topics[DDE_TOPIC_COUNT];
    HSZ items[DDE_ITEM_COUNT];
    AppState* state;
    int advised;      // clients given data by the advise being posted
    bool atomsShared; // see AtomsShared
};
DdeServer server{};

// Wine's DdePostAdvise takes one reference to the item's global atom for all the clients it posts the
// data to, and each client gives one back: with two clients or more on an item the atom soon vanishes and
// clients start to miss updates. Each client after the first gets a reference of its own here. Windows
// takes one per client itself.
bool AtomsShared() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

void PostAdvise(HSZ topic, HSZ item) {
    server.advised = 0;
    DdePostAdvise(server.instance, topic, item);
}

constexpr DWORD SERVER_FLAGS = APPCLASS_STANDARD | CBF_FAIL_EXECUTES | CBF_FAIL_POKES |
                               CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS;

int TopicIndex(HSZ topic) {
    return DdeLookup(DDE_TOPIC_COUNT,
                     [&](int i) { return DdeCmpStringHandles(topic, server.topics[i]) == 0; });
}

int ItemIndex(HSZ item) {
    return DdeLookup(DDE_ITEM_COUNT, [&](int i) { return DdeCmpStringHandles(item, server.items[i]) == 0; });
}

bool IsOurService(HSZ service) {
    return DdeCmpStringHandles(service, server.service) == 0;
}

HDDEDATA ItemData(HSZ topic, HSZ item, UINT format) {
    int q = TopicIndex(topic), i = ItemIndex(item);
    if (!DdeRequestValid(format, q, i)) return nullptr;
    AppState& state = *server.state;
    std::int32_t value;
    {
        StateLocked lock;
        value = QuantityValue(state, q);
    }
    // The statistics' figures and the alarm are the main thread's, as this callback is.
    value = DdeItemValue(i, q, value, state.figures, state.alarm.raised);
    char status[DDE_TEXT_CAPACITY] = "";
    if (i == DDE_ITEM_STATUS)
        GetDlgItemTextA(state.mainWindow, IDC_MEASUREMENT_STATUS, status, sizeof status);
    char separator;
    bool leadingZero;
    ReadNumberLocale(separator, leadingZero);
    char text[DDE_TEXT_CAPACITY];
    int length = DdeItemText(text, i, q, value, status, separator, leadingZero);
    return DdeCreateDataHandle(server.instance, reinterpret_cast<LPBYTE>(text), static_cast<DWORD>(length), 0,
                               item, CF_TEXT, 0);
}

// A client that names a topic is offered that topic alone: offered both, it would take the first and be
// served the other quantity under the name it asked for.
HDDEDATA WildcardList(HSZ topic, HSZ service, UINT format) {
    int named = topic != nullptr ? TopicIndex(topic) : -1;
    if (named >= DDE_TOPIC_COUNT) return nullptr;
    if (service != nullptr && !IsOurService(service)) return nullptr;
    HSZPAIR pairs[DDE_TOPIC_COUNT + 1] = {};
    int count = 0;
    for (int q = 0; q < DDE_TOPIC_COUNT; ++q) {
        if (named < 0 || named == q) pairs[count++] = {server.service, server.topics[q]};
    }
    // A pair of zero handles ends the list.
    return DdeCreateDataHandle(server.instance, reinterpret_cast<LPBYTE>(pairs),
                               static_cast<DWORD>((count + 1) * sizeof(HSZPAIR)), 0, nullptr, format, 0);
}

// The conversation's own topic decides the quantity, not the topic that was posted: Wine's DdePostAdvise
// asks every advise loop on the item, whatever its topic, so a post for the other topic gets no data here.
// Nor does a client that died without ending its conversation: Wine would stop at its dead window and
// leave every later client without the update.
HDDEDATA AdviseData(HCONV conversation, HSZ postedTopic, HSZ item, UINT format) {
    CONVINFO info{};
    info.cb = sizeof info;
    if (DdeQueryConvInfo(conversation, QID_SYNC, &info) == 0 || !IsWindow(info.hwndPartner)) return nullptr;
    if (DdeCmpStringHandles(info.hszTopic, postedTopic) != 0) return nullptr;
    HDDEDATA data = ItemData(info.hszTopic, item, format);
    if (data != nullptr && server.advised++ > 0 && server.atomsShared) {
        char name[DDE_TEXT_CAPACITY];
        if (DdeQueryStringA(server.instance, item, name, sizeof name, CP_WINANSI) > 0) GlobalAddAtomA(name);
    }
    return data;
}

} // namespace

HDDEDATA CALLBACK DdeCallback(UINT type, UINT format, HCONV conversation, HSZ hsz1, HSZ hsz2, HDDEDATA,
                              ULONG_PTR, ULONG_PTR) {
    switch (type) {
    case XTYP_CONNECT: // hsz1 the topic, hsz2 the service
        return reinterpret_cast<HDDEDATA>(IsOurService(hsz2) && TopicIndex(hsz1) < DDE_TOPIC_COUNT);
    case XTYP_WILDCONNECT:
        return WildcardList(hsz1, hsz2, format);
    case XTYP_REQUEST: // hsz1 the topic, hsz2 the item
        return ItemData(hsz1, hsz2, format);
    case XTYP_ADVREQ:
        return AdviseData(conversation, hsz1, hsz2, format);
    case XTYP_ADVSTART:
        if (!DdeRequestValid(format, TopicIndex(hsz1), ItemIndex(hsz2))) return nullptr;
        PostAdvise(hsz1, hsz2);
        return reinterpret_cast<HDDEDATA>(TRUE);
    case XTYP_ADVSTOP:
        return reinterpret_cast<HDDEDATA>(DdeRequestValid(format, TopicIndex(hsz1), ItemIndex(hsz2)));
    default:
        return nullptr;
    }
}

bool StartDde(AppState& state, std::int32_t serial) {
    server.state = &state;
    if (serial == VALUE_UNKNOWN) return true;
    if (server.instance != 0) return false;
    DWORD instance = 0;
    if (DdeInitializeA(&instance, DdeCallback, SERVER_FLAGS, 0) != DMLERR_NO_ERROR) return false;
    server.instance = instance;
    server.atomsShared = AtomsShared();
    server.service = DdeCreateStringHandleA(instance, DDE_SERVICE_NAME, CP_WINANSI);
    for (int q = 0; q < DDE_TOPIC_COUNT; ++q) {
        char name[64];
        server.topics[q] =
            DdeCreateStringHandleA(instance, DdeTopicName(name, sizeof name, q, serial), CP_WINANSI);
    }
    for (int i = 0; i < DDE_ITEM_COUNT; ++i)
        server.items[i] = DdeCreateStringHandleA(instance, DDE_ITEM_NAMES[i], CP_WINANSI);
    return DdeNameService(instance, server.service, nullptr, DNS_REGISTER) != nullptr;
}

bool StopDde() {
    if (server.instance == 0) return true;
    DdeNameService(server.instance, server.service, nullptr, DNS_UNREGISTER);
    for (HSZ& item : server.items)
        DdeFreeStringHandle(server.instance, item);
    for (HSZ& topic : server.topics)
        DdeFreeStringHandle(server.instance, topic);
    DdeFreeStringHandle(server.instance, server.service);
    BOOL result = DdeUninitialize(server.instance);
    AppState* state = server.state;
    server = DdeServer{};
    server.state = state;
    return result != FALSE;
}

void PostAdviseAll() {
    if (server.instance == 0) return;
    for (int q = 0; q < DDE_TOPIC_COUNT; ++q) {
        for (int i = 0; i < DDE_ITEM_COUNT; ++i) {
            if (DdeRequestValid(DDE_FORMAT_TEXT, q, i)) PostAdvise(server.topics[q], server.items[i]);
        }
    }
}
