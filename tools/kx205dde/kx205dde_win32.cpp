// kx205dde: the DDE probe. Lists the service's topics, requests an item once or follows its advise loop,
// through DDEML or through raw WM_DDE_* messages as a spreadsheet talks, so the service can be checked
// without one.
#include <windows.h>

#include <dde.h>
#include <ddeml.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "dde/dde_names.h"
#include "kx205_version.h"
#include "tools/console_text_win32.h"
#include "tools/message_pump_win32.h"

namespace {

enum ExitCode : int { EXIT_DONE = 0, EXIT_NO_SERVICE = 1, EXIT_USAGE = 2, EXIT_REFUSED = 3, EXIT_ENDED = 4 };

constexpr DWORD REPLY_TIMEOUT_MS = 5000;
constexpr DWORD GOODBYE_TIMEOUT_MS = 1000;
constexpr char RAW_WINDOW_CLASS[] = "Kx205DdeProbe";

const char* const USAGE[] = {
    "Użycie:",
    "  kx205dde [--raw] [--service NAZWA]          tematy usługi, po jednym w wierszu",
    "  kx205dde --all                              każda pozycja każdego tematu: wiersz \"TEMAT POZYCJA "
    "TEKST\"",
    "  kx205dde [opcje] TEMAT POZYCJA              jednorazowy odczyt pozycji",
    "  kx205dde --advise [opcje] TEMAT POZYCJA     wiersz \"HH:MM:SS.mmm TEKST\" przy każdej zmianie",
    "  kx205dde --poke TEKST TEMAT POZYCJA         próba zapisu (usługa powinna odmówić)",
    "  kx205dde --execute POLECENIE TEMAT          próba wykonania polecenia (usługa powinna odmówić)",
    "TEMAT: pełna nazwa (np. Prędkość#13330) albo speed lub direction; POZYCJA: Wynik, Pomiar, Status,",
    "Srednia2, Srednia10, a prędkości także Poryw i Alarm, kierunku Odchylenie.",
    "Opcje:",
    "  --count N        zakończ po N zmianach",
    "  --seconds S      zakończ po S sekundach",
    "  --unix-ns        czas w nanosekundach od 1970-01-01 UTC zamiast HH:MM:SS.mmm",
    "  --raw            komunikaty WM_DDE_* zamiast DDEML, jak arkusz kalkulacyjny",
    "  --format N       format schowka N zamiast CF_TEXT (1)",
    "  --service NAZWA  usługa inna niż KX205",
    "Kod wyjścia: 0 gotowe, 1 usługa lub temat nie odpowiada, 2 złe argumenty, 3 odmowa albo brak danych,",
    "4 serwer zakończył rozmowę.",
};

struct Options {
    const char* service = DDE_SERVICE_NAME;
    const char* topic = nullptr; // a full name or an alias; none: list the topics
    const char* item = nullptr;
    const char* poke = nullptr;
    const char* execute = nullptr;
    bool advise = false;
    bool all = false;
    bool raw = false;
    bool unixNs = false;
    long count = 0;     // 0: no limit
    double seconds = 0; // 0: no limit
    long format = CF_TEXT;
};

// ---- arguments ----

bool ParseLong(const char* text, long& out, long low, long high) {
    char* end = nullptr;
    out = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && out >= low && out <= high;
}

bool ParseSeconds(const char* text, double& out) {
    char* end = nullptr;
    out = std::strtod(text, &end);
    return end != text && *end == '\0' && out > 0 && out < 4e6;
}

// 1: taken, 0: not an option with a value, -1: its value is wrong.
int TakeValueOption(Options& o, const char* name, const char* value) {
    bool ok;
    if (std::strcmp(name, "--count") == 0)
        ok = ParseLong(value, o.count, 1, 0x7FFFFFFF);
    else if (std::strcmp(name, "--seconds") == 0)
        ok = ParseSeconds(value, o.seconds);
    else if (std::strcmp(name, "--format") == 0)
        ok = ParseLong(value, o.format, 1, 0xFFFF);
    else if (std::strcmp(name, "--poke") == 0)
        ok = (o.poke = value) != nullptr;
    else if (std::strcmp(name, "--execute") == 0)
        ok = (o.execute = value) != nullptr;
    else if (std::strcmp(name, "--service") == 0)
        ok = (o.service = value) != nullptr;
    else
        return 0;
    return ok ? 1 : -1;
}

bool ParseArguments(int argc, char** argv, Options& o) {
    std::vector<const char*> names;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--advise") == 0)
            o.advise = true;
        else if (std::strcmp(arg, "--raw") == 0)
            o.raw = true;
        else if (std::strcmp(arg, "--all") == 0)
            o.all = true;
        else if (std::strcmp(arg, "--unix-ns") == 0)
            o.unixNs = true;
        else if (int taken = TakeValueOption(o, arg, i + 1 < argc ? argv[i + 1] : nullptr); taken != 0) {
            if (taken < 0 || i + 1 >= argc) return false;
            ++i;
        } else if (std::strncmp(arg, "--", 2) == 0)
            return false;
        else
            names.push_back(arg);
    }
    if (o.execute != nullptr) {
        if (names.size() != 1 || o.poke != nullptr || o.advise || o.raw) return false;
        o.topic = names[0];
        return true;
    }
    if (o.all) return names.empty() && !o.advise && !o.raw && o.poke == nullptr;
    if (names.size() == 2) {
        o.topic = names[0];
        o.item = names[1];
        return !(o.poke != nullptr && (o.advise || o.raw));
    }
    return names.empty() && !o.advise && o.poke == nullptr;
}

// ---- output ----

using PreciseTimeFn = void(WINAPI*)(LPFILETIME);

// Windows 7 lacks the precise clock; under Wine it is the Linux realtime clock the simulator stamps with.
PreciseTimeFn PreciseTime() {
    FARPROC precise = GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetSystemTimePreciseAsFileTime");
    return precise != nullptr ? reinterpret_cast<PreciseTimeFn>(reinterpret_cast<void*>(precise))
                              : GetSystemTimeAsFileTime;
}

std::string Stamp(bool unixNs) {
    char text[32];
    if (unixNs) {
        constexpr long long FILETIME_UNIX_EPOCH = 116444736000000000LL; // 100 ns steps from 1601 to 1970
        FILETIME now;
        PreciseTime()(&now);
        ULARGE_INTEGER ticks{{now.dwLowDateTime, now.dwHighDateTime}};
        std::snprintf(text, sizeof text, "%lld",
                      (static_cast<long long>(ticks.QuadPart) - FILETIME_UNIX_EPOCH) * 100);
    } else {
        SYSTEMTIME now;
        GetLocalTime(&now);
        std::snprintf(text, sizeof text, "%02u:%02u:%02u.%03u", now.wHour, now.wMinute, now.wSecond,
                      now.wMilliseconds);
    }
    return text;
}

void SayNotAnswering(const char* service) {
    PrintErrorLine("Usługa DDE %s nie odpowiada: program KX-205 nie działa albo nie zna jeszcze numeru seryjnego "
              "przyrządu.",
              service);
}

void SayTopicRefused(const char* service, const char* topic) {
    PrintErrorLine("Usługa DDE %s nie przyjęła rozmowy o temacie %s (tematy wypisuje kx205dde bez argumentów).",
              service, topic);
}

int SayItemRefused(const Options& o) {
    PrintErrorLine("Usługa odmówiła %s pozycji %s w formacie %li albo nie ma takiej pozycji.",
              o.advise ? "śledzenia" : "podania", o.item, o.format);
    return EXIT_REFUSED;
}

// ---- the message loop ----

volatile LONG stopRequested = 0;

BOOL WINAPI StopOnCtrlC(DWORD) {
    InterlockedExchange(&stopRequested, 1);
    return TRUE;
}

// DDEML and the raw window both work through this thread's messages, so every wait dispatches them;
// Ctrl+C arrives on another thread and posts nothing, so it is looked at every 100 ms.
bool Pump(const std::function<bool()>& done, DWORD timeoutMs) { return PumpUntil(done, timeoutMs, 100); }

// An advise loop's progress; the DDEML callback and the raw window both report to it.
struct Follow {
    bool unixNs = false;
    long wanted = 0; // 0: no limit
    long shown = 0;
    bool ended = false; // the server ended the conversation
};

bool Enough(const Follow& f) {
    return f.wanted > 0 && f.shown >= f.wanted;
}

void ShowUpdate(Follow& f, const char* text) {
    if (Enough(f)) return;
    PrintLine("%s %s", Stamp(f.unixNs).c_str(), text);
    ++f.shown;
}

// ended() tells whether the server has ended the conversation, where no message says so.
int RunFollow(Follow& f, double seconds, const std::function<bool()>& ended = {}) {
    DWORD limit = seconds > 0 ? static_cast<DWORD>(seconds * 1000) : INFINITE;
    Pump(
        [&] {
            if (ended && ended()) f.ended = true;
            return f.ended || Enough(f) || stopRequested != 0;
        },
        limit);
    if (!f.ended || Enough(f)) return EXIT_DONE;
    PrintErrorLine("%s Serwer zakończył rozmowę.", Stamp(f.unixNs).c_str());
    return EXIT_ENDED;
}

// ---- raw WM_DDE_* messages ----

struct RawConversation {
    HWND window = nullptr; // ours
    HWND server = nullptr; // the partner's, from the first answer to our initiate
    bool initiating = false;
    std::vector<std::pair<HWND, std::string>> answers; // every answer to the initiate: window and topic
    bool awaitingAck = false; // a request, advise or unadvise of ours not yet answered
    bool acked = false;
    bool positive = false;
    std::vector<std::string> texts; // data that came outside an advise loop
    Follow* follow = nullptr;       // while an advise loop runs
    bool ended = false;
    size_t terminates = 0; // WM_DDE_TERMINATE from any partner
    bool terminateSent = false;
};

// The answer to an initiate is sent, not posted, and its atoms are ours to delete.
void OnInitiateAck(RawConversation& c, HWND from, LPARAM lParam) {
    char topic[256] = "";
    GlobalGetAtomNameA(HIWORD(lParam), topic, sizeof topic);
    GlobalDeleteAtom(LOWORD(lParam));
    GlobalDeleteAtom(HIWORD(lParam));
    c.answers.emplace_back(from, topic);
}

// Only an awaited answer hands its atom back to us: Wine's DDEML follows the data of a request with a
// positive answer that carries the very atom the data already returned, and deleting a global atom twice
// can take it away from another program's conversation.
void OnAck(RawConversation& c, HWND from, LPARAM lParam) {
    UINT_PTR status = 0, atom = 0;
    UnpackDDElParam(WM_DDE_ACK, lParam, &status, &atom);
    FreeDDElParam(WM_DDE_ACK, lParam);
    if (from != c.server || !c.awaitingAck) return;
    GlobalDeleteAtom(static_cast<ATOM>(atom));
    c.awaitingAck = false;
    c.acked = true;
    c.positive = (status & DDE_FACK) != 0;
}

void OnData(RawConversation& c, HWND from, LPARAM lParam) {
    UINT_PTR memory = 0, atom = 0;
    UnpackDDElParam(WM_DDE_DATA, lParam, &memory, &atom);
    HGLOBAL block = reinterpret_cast<HGLOBAL>(memory);
    bool ackRequested = false, release = false, response = false;
    std::string text;
    if (auto* data = static_cast<DDEDATA*>(GlobalLock(block))) {
        ackRequested = data->fAckReq != 0;
        release = data->fRelease != 0;
        response = data->fResponse != 0;
        SIZE_T size = GlobalSize(block);
        SIZE_T valueSize = size > offsetof(DDEDATA, Value) ? size - offsetof(DDEDATA, Value) : 0;
        const char* value = reinterpret_cast<const char*>(data->Value);
        text.assign(value, strnlen(value, valueSize));
        GlobalUnlock(block);
    }
    if (ackRequested) {
        PostMessageA(from, WM_DDE_ACK, reinterpret_cast<WPARAM>(c.window),
                     ReuseDDElParam(lParam, WM_DDE_DATA, WM_DDE_ACK, DDE_FACK, atom));
    } else {
        GlobalDeleteAtom(static_cast<ATOM>(atom));
        FreeDDElParam(WM_DDE_DATA, lParam);
    }
    if (release) GlobalFree(block);
    if (from != c.server) return;
    if (response) c.awaitingAck = false; // a request is answered by its data
    if (c.follow != nullptr)
        ShowUpdate(*c.follow, text.c_str());
    else
        c.texts.push_back(text);
}

void OnTerminate(RawConversation& c, HWND from) {
    ++c.terminates;
    if (from != c.server) return;
    c.ended = true;
    if (c.follow != nullptr) c.follow->ended = true;
    // The partner that ends a conversation waits for our terminate before it lets go.
    if (!c.terminateSent) PostMessageA(from, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(c.window), 0);
    c.terminateSent = true;
}

LRESULT CALLBACK RawWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrA(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    }
    auto* c = reinterpret_cast<RawConversation*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    HWND from = reinterpret_cast<HWND>(wParam);
    if (c == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_DDE_ACK:
        if (c->initiating)
            OnInitiateAck(*c, from, lParam);
        else
            OnAck(*c, from, lParam);
        return 0;
    case WM_DDE_DATA:
        OnData(*c, from, lParam);
        return 0;
    case WM_DDE_TERMINATE:
        OnTerminate(*c, from);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool OpenRawWindow(RawConversation& c) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = RawWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = RAW_WINDOW_CLASS;
    RegisterClassA(&wc);
    // Top-level, so that it is among the windows an initiate is broadcast to, as a spreadsheet's is.
    c.window = CreateWindowExA(0, RAW_WINDOW_CLASS, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleA(nullptr), &c);
    return c.window != nullptr;
}

// topic null: a wildcard initiate, which every topic of the service answers.
void RawInitiate(RawConversation& c, const char* service, const char* topic) {
    ATOM application = GlobalAddAtomA(service);
    ATOM subject = topic != nullptr ? GlobalAddAtomA(topic) : 0;
    c.initiating = true;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(c.window),
                        MAKELPARAM(application, subject), SMTO_ABORTIFHUNG, REPLY_TIMEOUT_MS, &ignored);
    c.initiating = false;
    GlobalDeleteAtom(application);
    if (subject != 0) GlobalDeleteAtom(subject);
}

// Ends every conversation the initiate opened and waits a moment for the partners' terminates.
void CloseRawWindow(RawConversation& c) {
    size_t open = 0;
    for (const auto& answer : c.answers) {
        if (answer.first == c.server && c.terminateSent) continue;
        PostMessageA(answer.first, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(c.window), 0);
        ++open;
    }
    c.terminateSent = true;
    size_t before = c.terminates;
    Pump([&] { return c.terminates - before >= open; }, GOODBYE_TIMEOUT_MS);
    DestroyWindow(c.window);
}

std::vector<std::string> RawTopics(const char* service) {
    RawConversation c;
    std::vector<std::string> topics;
    if (!OpenRawWindow(c)) return topics;
    RawInitiate(c, service, nullptr);
    for (const auto& answer : c.answers)
        topics.push_back(answer.second);
    CloseRawWindow(c);
    return topics;
}

// Posts a message that carries an atom of item and waits for its answer.
void PostAndAwait(RawConversation& c, UINT message, UINT_PTR low, const char* item, DWORD timeoutMs) {
    c.awaitingAck = true;
    c.acked = false;
    PostMessageA(c.server, message, reinterpret_cast<WPARAM>(c.window),
                 PackDDElParam(message, low, GlobalAddAtomA(item)));
    Pump([&] { return !c.awaitingAck || c.ended; }, timeoutMs);
}

int RawRequest(RawConversation& c, const Options& o) {
    PostAndAwait(c, WM_DDE_REQUEST, static_cast<UINT_PTR>(o.format), o.item, REPLY_TIMEOUT_MS);
    if (c.texts.empty()) return SayItemRefused(o);
    PrintLine("%s", c.texts.front().c_str());
    return EXIT_DONE;
}

int RawAdvise(RawConversation& c, const Options& o) {
    HGLOBAL options = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, sizeof(DDEADVISE));
    auto* advise = static_cast<DDEADVISE*>(GlobalLock(options));
    if (advise == nullptr) return SayItemRefused(o);
    advise->fDeferUpd = 0;
    advise->fAckReq = 0;
    advise->cfFormat = static_cast<short>(o.format);
    GlobalUnlock(options);
    Follow follow{o.unixNs, o.count};
    c.follow = &follow;
    PostAndAwait(c, WM_DDE_ADVISE, reinterpret_cast<UINT_PTR>(options), o.item, REPLY_TIMEOUT_MS);
    if (!c.acked || !c.positive) {
        // A refused advise leaves its options with us.
        if (c.acked) GlobalFree(options);
        return c.ended ? RunFollow(follow, 0) : SayItemRefused(o);
    }
    int result = RunFollow(follow, o.seconds);
    if (result == EXIT_DONE) {
        PostAndAwait(c, WM_DDE_UNADVISE, static_cast<UINT_PTR>(o.format), o.item, GOODBYE_TIMEOUT_MS);
    }
    c.follow = nullptr;
    return result;
}

int RunRaw(const Options& o, const std::string& topic) {
    RawConversation c;
    if (!OpenRawWindow(c)) return EXIT_NO_SERVICE;
    RawInitiate(c, o.service, topic.c_str());
    int result;
    if (c.answers.empty()) {
        SayTopicRefused(o.service, topic.c_str());
        result = EXIT_NO_SERVICE;
    } else {
        c.server = c.answers.front().first;
        result = o.advise ? RawAdvise(c, o) : RawRequest(c, o);
    }
    CloseRawWindow(c);
    return result;
}

// ---- DDEML ----

// DDEML's callback carries nothing of ours: the advise loop it reports to lives here.
Follow ddemlFollow;

std::string DataText(HDDEDATA data) {
    char text[DDE_TEXT_CAPACITY * 2] = "";
    DWORD n = DdeGetData(data, reinterpret_cast<LPBYTE>(text), sizeof text - 1, 0);
    text[n] = '\0';
    return text;
}

HDDEDATA CALLBACK ClientCallback(UINT type, UINT, HCONV, HSZ, HSZ, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    switch (type) {
    case XTYP_ADVDATA:
        ShowUpdate(ddemlFollow, DataText(data).c_str());
        return reinterpret_cast<HDDEDATA>(DDE_FACK);
    case XTYP_DISCONNECT:
        ddemlFollow.ended = true;
        return nullptr;
    default:
        return nullptr;
    }
}

HSZ Hsz(DWORD instance, const char* text) {
    return DdeCreateStringHandleA(instance, text, CP_WINANSI);
}

std::vector<std::string> DdemlTopics(const char* service) {
    std::vector<std::string> topics;
    DWORD instance = 0;
    if (DdeInitializeA(&instance, ClientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return topics;
    HCONVLIST list = DdeConnectList(instance, Hsz(instance, service), nullptr, nullptr, nullptr);
    for (HCONV c = DdeQueryNextServer(list, nullptr); list != nullptr && c != nullptr;
         c = DdeQueryNextServer(list, c)) {
        CONVINFO info{};
        info.cb = sizeof info;
        char name[256];
        if (DdeQueryConvInfo(c, QID_SYNC, &info) != 0 &&
            DdeQueryStringA(instance, info.hszTopic, name, sizeof name, CP_WINANSI) > 0) {
            topics.push_back(name);
        }
    }
    if (list != nullptr) DdeDisconnectList(list);
    DdeUninitialize(instance);
    return topics;
}

// Wine's DDEML ends the client's side of a conversation the server ended without telling the callback.
bool StillConnected(HCONV conversation) {
    CONVINFO info{};
    info.cb = sizeof info;
    return DdeQueryConvInfo(conversation, QID_SYNC, &info) != 0 && (info.wStatus & ST_CONNECTED) != 0;
}

// A poke or an execute; the service should refuse both. The answer's own flags decide: Wine's DDEML
// reports every poke as done.
int DdemlSend(HCONV conversation, HSZ item, const Options& o) {
    const char* text = o.poke != nullptr ? o.poke : o.execute;
    DWORD flags = 0;
    bool done =
        DdeClientTransaction(reinterpret_cast<LPBYTE>(const_cast<char*>(text)),
                             static_cast<DWORD>(std::strlen(text) + 1), conversation, item,
                             static_cast<UINT>(o.format), o.poke != nullptr ? XTYP_POKE : XTYP_EXECUTE,
                             REPLY_TIMEOUT_MS, &flags) != nullptr &&
        (flags & DDE_FACK) != 0;
    auto say = done ? PrintLine : PrintErrorLine;
    if (o.poke == nullptr)
        say(done ? "Usługa wykonała polecenie." : "Usługa odmówiła wykonania polecenia.");
    else
        say(done ? "Usługa przyjęła zapis pozycji %s." : "Usługa odmówiła zapisu pozycji %s.", o.item);
    return done ? EXIT_DONE : EXIT_REFUSED;
}

bool RequestText(HCONV conversation, HSZ item, UINT format, std::string& text) {
    HDDEDATA data =
        DdeClientTransaction(nullptr, 0, conversation, item, format, XTYP_REQUEST, REPLY_TIMEOUT_MS, nullptr);
    if (data == nullptr) return false;
    text = DataText(data);
    DdeFreeDataHandle(data);
    return true;
}

int DdemlRequest(HCONV conversation, HSZ item, const Options& o) {
    std::string text;
    if (!RequestText(conversation, item, static_cast<UINT>(o.format), text)) return SayItemRefused(o);
    PrintLine("%s", text.c_str());
    return EXIT_DONE;
}

int DdemlAdvise(HCONV conversation, HSZ item, const Options& o) {
    UINT format = static_cast<UINT>(o.format);
    ddemlFollow = Follow{o.unixNs, o.count};
    if (DdeClientTransaction(nullptr, 0, conversation, item, format, XTYP_ADVSTART, REPLY_TIMEOUT_MS,
                             nullptr) == nullptr) {
        return SayItemRefused(o);
    }
    int result = RunFollow(ddemlFollow, o.seconds, [&] { return !StillConnected(conversation); });
    if (result == EXIT_DONE) {
        DdeClientTransaction(nullptr, 0, conversation, item, format, XTYP_ADVSTOP, GOODBYE_TIMEOUT_MS,
                             nullptr);
    }
    return result;
}

int RunDdeml(const Options& o, const std::string& topic) {
    DWORD instance = 0;
    if (DdeInitializeA(&instance, ClientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        PrintErrorLine("Nie można uruchomić klienta DDE (DDEML).");
        return EXIT_NO_SERVICE;
    }
    HCONV conversation =
        DdeConnect(instance, Hsz(instance, o.service), Hsz(instance, topic.c_str()), nullptr);
    int result;
    if (conversation == nullptr) {
        SayTopicRefused(o.service, topic.c_str());
        result = EXIT_NO_SERVICE;
    } else {
        HSZ item = o.item != nullptr ? Hsz(instance, o.item) : nullptr;
        if (o.poke != nullptr || o.execute != nullptr)
            result = DdemlSend(conversation, item, o);
        else
            result = o.advise ? DdemlAdvise(conversation, item, o) : DdemlRequest(conversation, item, o);
        DdeDisconnect(conversation);
    }
    DdeUninitialize(instance); // frees the string handles too
    return result;
}

// ---- topics ----

std::vector<std::string> Topics(const Options& o) {
    std::vector<std::string> topics;
    if (!o.raw) topics = DdemlTopics(o.service);
    // Wine's DDEML lists no conversations at all; the raw wildcard initiate, as a spreadsheet sends it, does.
    if (topics.empty()) topics = RawTopics(o.service);
    return topics;
}

int ListTopics(const Options& o) {
    std::vector<std::string> topics = Topics(o);
    if (topics.empty()) {
        SayNotAnswering(o.service);
        return EXIT_NO_SERVICE;
    }
    for (const std::string& topic : topics)
        PrintLine("%s", topic.c_str());
    return EXIT_DONE;
}

// Every item of every topic in one call, "TOPIC ITEM TEXT" a line: all that the program shows.
int ShowAll(const Options& o) {
    std::vector<std::string> topics = Topics(o);
    DWORD instance = 0;
    if (topics.empty() ||
        DdeInitializeA(&instance, ClientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        SayNotAnswering(o.service);
        return EXIT_NO_SERVICE;
    }
    int result = EXIT_DONE;
    for (const std::string& topic : topics) {
        int quantity = topic.compare(0, std::strlen(DDE_TOPIC_BASE_NAMES[0]), DDE_TOPIC_BASE_NAMES[0]) == 0 ? 0 : 1;
        for (int i = 0; i < DDE_ITEM_COUNT; ++i) {
            if (!DdeRequestValid(DDE_FORMAT_TEXT, quantity, i)) continue;
            const char* item = DDE_ITEM_NAMES[i];
            // A conversation per request: Wine's DDEML server follows its data with a stray answer that the
            // next request on the same conversation would take for a refusal.
            HCONV conversation =
                DdeConnect(instance, Hsz(instance, o.service), Hsz(instance, topic.c_str()), nullptr);
            std::string text;
            if (conversation != nullptr && RequestText(conversation, Hsz(instance, item), CF_TEXT, text)) {
                PrintLine("%s %s %s", topic.c_str(), item, text.c_str());
            } else {
                result = EXIT_REFUSED;
            }
            if (conversation != nullptr) DdeDisconnect(conversation);
        }
    }
    DdeUninitialize(instance);
    return result;
}

// "speed" and "direction" stand for the current topic of that quantity, so a user need not know the serial
// number.
bool ResolveTopic(const Options& o, std::string& topic) {
    int quantity = _stricmp(o.topic, "speed") == 0 ? 0 : _stricmp(o.topic, "direction") == 0 ? 1 : -1;
    if (quantity < 0) {
        topic = o.topic;
        return true;
    }
    std::string prefix = std::string(DDE_TOPIC_BASE_NAMES[quantity]) + "#";
    std::vector<std::string> topics = Topics(o);
    for (const std::string& t : topics) {
        if (t.compare(0, prefix.size(), prefix) != 0) continue;
        topic = t;
        return true;
    }
    if (topics.empty())
        SayNotAnswering(o.service);
    else
        PrintErrorLine("Usługa DDE %s nie ma tematu %s...", o.service, prefix.c_str());
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        PrintLine("kx205dde %s", KX205_VERSION_TEXT);
        return EXIT_DONE;
    }
    Options o;
    if (!ParseArguments(argc, argv, o)) {
        for (const char* line : USAGE)
            PrintErrorLine("%s", line);
        return EXIT_USAGE;
    }
    SetConsoleCtrlHandler(StopOnCtrlC, TRUE);
    if (o.all) return ShowAll(o);
    if (o.topic == nullptr) return ListTopics(o);
    std::string topic;
    if (!ResolveTopic(o, topic)) return EXIT_NO_SERVICE;
    return o.raw ? RunRaw(o, topic) : RunDdeml(o, topic);
}
