// kx205sim: the instrument simulator. Writes KX-205 frames to a pseudo-terminal it creates (or to a given
// device), paced at the line rate or as fast as the reader takes them, with optional injected faults.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "tools/kx205sim/frame_encoder.h"
#include "tools/kx205sim/wind_model.h"

namespace {

const char USAGE[] =
    "usage: kx205sim [options]\n"
    "\n"
    "Simulates a KX-205 wind meter on a serial line: 14-byte frames, 7-bit characters with odd parity.\n"
    "Without --device it creates a pseudo-terminal and prints its path as the first line: pty: /dev/pts/N\n"
    "\n"
    "Where to write:\n"
    "  --device PATH          write to this tty (a real serial port or a pty) instead of creating one\n"
    "  --link PATH            make PATH a symbolic link to the pty, e.g. $WINEPREFIX/dosdevices/com5;\n"
    "                         removed again on exit\n"
    "  --pid-file PATH        write the process id to PATH\n"
    "Pacing:\n"
    "  --baud N               line rate for pacing, 9 bits a character (default 300: 0.42 s a frame)\n"
    "  --period MS            time from one frame's start to the next (default 1000; 0: back to back)\n"
    "  --fast                 no pacing: write frames as fast as the reader takes them\n"
    "  --frames N             stop after N frames and exit, which removes the pty (default: run for ever)\n"
    "  --max-seconds S        exit after S seconds whatever happens (a safety net for tests)\n"
    "Measurements:\n"
    "  --serial N             serial number, 0 to 65535 (default 13330)\n"
    "  --status N             status bits sent in every frame, 0 to 63: 1 direction fault, 2 speed fault,\n"
    "                         4 calibration fault (default 0)\n"
    "  --speed X              fixed wind speed in m/s (default: the wind model)\n"
    "  --direction D          fixed wind direction in degrees (default: the wind model)\n"
    "  --mean-speed X         the model's mean speed in m/s (default 5.0)\n"
    "  --mean-direction D     the model's mean direction in degrees (default 270)\n"
    "  --gustiness G          0 (steady) to 1 (very gusty), default 0.5\n"
    "  --veering V            degrees of random direction drift per frame (default 3)\n"
    "  --seed N               seed of the wind model and of the faults (default 1)\n"
    "  --count-speed          the speed counts frames: frame N carries N modulo 10000 tenths of m/s\n"
    "                         (0.1, 0.2, ...), so a reader can tell which frame it shows\n"
    "  --series LIST          a scripted wind, played over and over: SPEED/DIRECTION*FRAMES,... e.g.\n"
    "                         12.0/350*1,12.0/10*1 (FRAMES 1 when left out)\n"
    "Faults:\n"
    "  --parity-error-every N  every Nth frame has one byte with even parity\n"
    "  --no-cr-every N         every Nth frame ends without its CR\n"
    "  --noise-every N         before every Nth frame, 1 to 5 stray non-zero bytes\n"
    "  --silence-after N       after N frames, send nothing for --silence-seconds (default 5), then go on\n"
    "  --silence-seconds S\n"
    "  --zeros-after N         after N frames, send zero bytes for --zeros-seconds (default 5), then go on\n"
    "  --zeros-seconds S       (as a broken line or a wrong baud rate can)\n"
    "  --serial-change-after N after N frames, switch to serial number --new-serial (default serial + 1)\n"
    "  --new-serial N\n"
    "                         (or at once, from the next frame on, when the simulator gets SIGUSR1)\n"
    "Diagnostics:\n"
    "  --verbose              print one line per frame sent\n"
    "  --termios-file PATH    keep PATH holding the pty's current line settings (for tests)\n"
    "  --stamp-file PATH      on exit, write one line per frame to PATH: the frame number (from 1) and the\n"
    "                         CLOCK_REALTIME time in ns just after its last byte was written (for latency\n"
    "                         measurements; kept in memory until then so the pacing is not disturbed)\n"
    "  --help                 this text\n";

struct Options {
    std::string device, link, pidFile, termiosFile, stampFile;
    std::vector<std::pair<SimMeasurement, long>> series; // speed and direction, and for how many frames
    long baud = 300, periodMs = 1000, frames = -1, maxSeconds = -1;
    bool fast = false, verbose = false, countSpeed = false;
    long serial = 13330, status = 0, newSerial = -1;
    double speed = -1, direction = -1, meanSpeed = 5.0, meanDirection = 270, gustiness = 0.5, veering = 3;
    long seed = 1;
    long parityEvery = 0, noCrEvery = 0, noiseEvery = 0;
    long silenceAfter = -1, silenceSeconds = 5, serialChangeAfter = -1;
    long zerosAfter = -1, zerosSeconds = 5;
};

volatile sig_atomic_t stopRequested = 0;
void OnSignal(int) { stopRequested = 1; }
// SIGUSR1: another instrument on the line from the next frame on, when a test wants it.
volatile sig_atomic_t serialChangeRequested = 0;
void OnSerialChangeSignal(int) { serialChangeRequested = 1; }

bool ParseLong(const char* text, long& out) {
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0') return false;
    out = v;
    return true;
}

bool ParseDouble(const char* text, double& out) {
    char* end = nullptr;
    double v = std::strtod(text, &end);
    if (end == text || *end != '\0') return false;
    out = v;
    return true;
}

// "SPEED/DIRECTION*FRAMES,...": a speed in m/s (one decimal), a direction in degrees, a count of frames.
bool ParseSeries(const char* text, std::vector<std::pair<SimMeasurement, long>>& series) {
    series.clear();
    for (const char* p = text; *p != '\0';) {
        char* end = nullptr;
        double speed = std::strtod(p, &end);
        if (end == p || *end != '/') return false;
        long direction = std::strtol(end + 1, &end, 10), frames = 1;
        if (*end == '*') frames = std::strtol(end + 1, &end, 10);
        if (speed < 0 || speed > 999.9 || direction < 0 || direction > 999 || frames < 1) return false;
        series.push_back({SimMeasurement{0, 0, static_cast<int>(direction), static_cast<int>(speed * 10 + 0.5)},
                          frames});
        if (*end == ',') ++end;
        else if (*end != '\0') return false;
        p = end;
    }
    return !series.empty();
}

bool ParseOptions(int argc, char** argv, Options& o) {
    struct LongOpt { const char* name; long* target; };
    struct DoubleOpt { const char* name; double* target; };
    const LongOpt longs[] = {{"--baud", &o.baud}, {"--period", &o.periodMs}, {"--frames", &o.frames},
                             {"--max-seconds", &o.maxSeconds}, {"--serial", &o.serial}, {"--status", &o.status},
                             {"--seed", &o.seed}, {"--parity-error-every", &o.parityEvery},
                             {"--no-cr-every", &o.noCrEvery}, {"--noise-every", &o.noiseEvery},
                             {"--silence-after", &o.silenceAfter}, {"--silence-seconds", &o.silenceSeconds},
                             {"--zeros-after", &o.zerosAfter}, {"--zeros-seconds", &o.zerosSeconds},
                             {"--serial-change-after", &o.serialChangeAfter}, {"--new-serial", &o.newSerial}};
    const DoubleOpt doubles[] = {{"--speed", &o.speed}, {"--direction", &o.direction},
                                 {"--mean-speed", &o.meanSpeed}, {"--mean-direction", &o.meanDirection},
                                 {"--gustiness", &o.gustiness}, {"--veering", &o.veering}};
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(USAGE, stdout);
            std::exit(0);
        }
        if (arg == "--fast") { o.fast = true; continue; }
        if (arg == "--verbose") { o.verbose = true; continue; }
        if (arg == "--count-speed") { o.countSpeed = true; continue; }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "kx205sim: %s needs a value (or is unknown); see --help\n", arg.c_str());
            return false;
        }
        const char* value = argv[++i];
        bool known = false, ok = true;
        if (arg == "--device") { o.device = value; known = true; }
        if (arg == "--link") { o.link = value; known = true; }
        if (arg == "--pid-file") { o.pidFile = value; known = true; }
        if (arg == "--termios-file") { o.termiosFile = value; known = true; }
        if (arg == "--stamp-file") { o.stampFile = value; known = true; }
        if (arg == "--series") { known = true; ok = ParseSeries(value, o.series); }
        for (const LongOpt& l : longs) {
            if (arg == l.name) { known = true; ok = ParseLong(value, *l.target); }
        }
        for (const DoubleOpt& d : doubles) {
            if (arg == d.name) { known = true; ok = ParseDouble(value, *d.target); }
        }
        if (!known || !ok) {
            std::fprintf(stderr, "kx205sim: %s %s: %s; see --help\n", arg.c_str(), value,
                         known ? "not a number" : "unknown option");
            return false;
        }
    }
    if (o.serial < 0 || o.serial > 0xFFFF || o.status < 0 || o.status > 63 || o.baud <= 0) {
        std::fprintf(stderr, "kx205sim: --serial 0..65535, --status 0..63, --baud > 0\n");
        return false;
    }
    if (o.newSerial < 0) o.newSerial = (o.serial + 1) & 0xFFFF;
    return true;
}

double NowSeconds() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

struct Line {
    int fd = -1;        // what we write to
    int slave = -1;     // kept open so the pty survives the reader closing and reopening it
    std::string path;
    std::string lastTermios;
};

void ReportTermios(const Options& o, Line& line) {
    if (o.termiosFile.empty()) return;
    termios t;
    if (tcgetattr(line.slave >= 0 ? line.slave : line.fd, &t) != 0) return;
    const char* size = (t.c_cflag & CSIZE) == CS5 ? "5" : (t.c_cflag & CSIZE) == CS6 ? "6"
                       : (t.c_cflag & CSIZE) == CS7 ? "7" : "8";
    speed_t speeds[] = {B50, B75, B110, B134, B150, B200, B300, B600, B1200, B1800, B2400, B4800, B9600,
                        B19200, B38400};
    long rates[] = {50, 75, 110, 134, 150, 200, 300, 600, 1200, 1800, 2400, 4800, 9600, 19200, 38400};
    long baud = -1;
    for (unsigned i = 0; i < sizeof rates / sizeof rates[0]; ++i) {
        if (cfgetospeed(&t) == speeds[i]) baud = rates[i];
    }
    char text[256];
    std::snprintf(text, sizeof text, "baud=%ld databits=%s parity=%s stopbits=%d crtscts=%d ixon=%d ixoff=%d\n", baud,
                  size, (t.c_cflag & PARENB) ? ((t.c_cflag & PARODD) ? "odd" : "even") : "none",
                  (t.c_cflag & CSTOPB) ? 2 : 1, (t.c_cflag & CRTSCTS) ? 1 : 0, (t.c_iflag & IXON) ? 1 : 0,
                  (t.c_iflag & IXOFF) ? 1 : 0);
    if (line.lastTermios == text) return;
    line.lastTermios = text;
    std::string temp = o.termiosFile + ".tmp";
    FILE* f = std::fopen(temp.c_str(), "w");
    if (f == nullptr) return;
    std::fputs(text, f);
    std::fclose(f);
    std::rename(temp.c_str(), o.termiosFile.c_str());
}

// Sleeps in short steps so signals, the deadline and the line-settings report stay prompt.
void Pause(const Options& o, Line& line, double seconds, double deadline) {
    double end = NowSeconds() + seconds;
    while (!stopRequested) {
        ReportTermios(o, line);
        double now = NowSeconds();
        if (deadline > 0 && now >= deadline) stopRequested = 1;
        if (now >= end || stopRequested) break;
        double step = end - now < 0.1 ? end - now : 0.1;
        timespec ts{static_cast<time_t>(step), static_cast<long>((step - static_cast<long>(step)) * 1e9)};
        nanosleep(&ts, nullptr);
    }
}

// Paced writes behave like the instrument: it sends whether or not anyone listens, so bytes that do not
// fit are dropped. Fast writes wait until the reader makes room, so no frame is lost.
// lastWritten, when given, receives the realtime clock as soon as the last byte is in the line, before
// the pause that follows it; it stays untouched when that byte was dropped.
void WriteBytes(const Options& o, Line& line, const std::uint8_t* bytes, int count, double deadline,
                timespec* lastWritten = nullptr) {
    double byteSeconds = 9.0 / static_cast<double>(o.baud);
    for (int i = 0; i < count && !stopRequested;) {
        int chunk = o.fast ? count - i : 1;
        ssize_t n = write(line.fd, bytes + i, static_cast<size_t>(chunk));
        if (n > 0) {
            i += static_cast<int>(n);
            if (i == count && lastWritten != nullptr) clock_gettime(CLOCK_REALTIME, lastWritten);
            if (!o.fast) Pause(o, line, byteSeconds, deadline);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR && errno != EIO) {
            std::fprintf(stderr, "kx205sim: write: %s\n", std::strerror(errno));
            stopRequested = 1;
            return;
        }
        if (!o.fast) { ++i; Pause(o, line, byteSeconds, deadline); continue; }
        pollfd p{line.fd, POLLOUT, 0};
        poll(&p, 1, 100);
        if (deadline > 0 && NowSeconds() >= deadline) stopRequested = 1;
    }
}

bool OpenLine(const Options& o, Line& line) {
    if (!o.device.empty()) {
        line.fd = open(o.device.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK);
        if (line.fd < 0) {
            std::fprintf(stderr, "kx205sim: %s: %s\n", o.device.c_str(), std::strerror(errno));
            return false;
        }
        line.path = o.device;
    } else {
        line.fd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (line.fd < 0 || grantpt(line.fd) != 0 || unlockpt(line.fd) != 0 || ptsname(line.fd) == nullptr) {
            std::fprintf(stderr, "kx205sim: cannot create a pseudo-terminal: %s\n", std::strerror(errno));
            return false;
        }
        line.path = ptsname(line.fd);
        line.slave = open(line.path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    }
    int ttyFd = line.slave >= 0 ? line.slave : line.fd;
    termios t;
    if (tcgetattr(ttyFd, &t) == 0) {
        cfmakeraw(&t);
        tcsetattr(ttyFd, TCSANOW, &t);
    }
    if (!o.link.empty()) {
        unlink(o.link.c_str());
        if (symlink(line.path.c_str(), o.link.c_str()) != 0) {
            std::fprintf(stderr, "kx205sim: link %s: %s\n", o.link.c_str(), std::strerror(errno));
            return false;
        }
    }
    return true;
}

void CloseLine(const Options& o, Line& line) {
    if (!o.link.empty()) {
        char target[512];
        ssize_t n = readlink(o.link.c_str(), target, sizeof target - 1);
        if (n > 0 && line.path == std::string(target, static_cast<size_t>(n))) unlink(o.link.c_str());
    }
    if (line.slave >= 0) close(line.slave);
    if (line.fd >= 0) close(line.fd);
}

// Frame number and nanoseconds of the realtime clock, as --stamp-file writes them.
using Stamp = std::pair<long, long long>;

void WriteStamps(const Options& o, const std::vector<Stamp>& stamps) {
    if (o.stampFile.empty()) return;
    FILE* f = std::fopen(o.stampFile.c_str(), "w");
    if (f == nullptr) {
        std::fprintf(stderr, "kx205sim: %s: %s\n", o.stampFile.c_str(), std::strerror(errno));
        return;
    }
    for (const Stamp& s : stamps) std::fprintf(f, "%ld %lld\n", s.first, s.second);
    std::fclose(f);
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!ParseOptions(argc, argv, o)) return 2;
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
    signal(SIGPIPE, SIG_IGN);
    struct sigaction change {};
    change.sa_handler = OnSerialChangeSignal;
    sigaction(SIGUSR1, &change, nullptr);

    Line line;
    if (!OpenLine(o, line)) return 1;
    if (!o.pidFile.empty()) {
        FILE* f = std::fopen(o.pidFile.c_str(), "w");
        if (f != nullptr) {
            std::fprintf(f, "%ld\n", static_cast<long>(getpid()));
            std::fclose(f);
        }
    }
    if (o.device.empty()) std::printf("pty: %s\n", line.path.c_str());
    std::fflush(stdout);

    WindModel wind;
    InitWindModel(wind, o.meanSpeed, o.meanDirection, o.gustiness, o.veering, static_cast<std::uint64_t>(o.seed));
    double start = NowSeconds();
    double deadline = o.maxSeconds > 0 ? start + static_cast<double>(o.maxSeconds) : 0;
    std::uint32_t serial = static_cast<std::uint32_t>(o.serial);
    std::vector<Stamp> stamps;
    if (!o.stampFile.empty()) stamps.reserve(4096);
    for (long i = 0; !stopRequested && (o.frames < 0 || i < o.frames); ++i) {
        if (i == o.silenceAfter) Pause(o, line, static_cast<double>(o.silenceSeconds), deadline);
        if (i == o.zerosAfter) {
            const std::uint8_t zero = 0x00;
            for (double end = NowSeconds() + static_cast<double>(o.zerosSeconds); NowSeconds() < end && !stopRequested;)
                WriteBytes(o, line, &zero, 1, deadline);
        }
        if (i == o.serialChangeAfter || serialChangeRequested) serial = static_cast<std::uint32_t>(o.newSerial);
        if (stopRequested) break;
        double frameStart = NowSeconds();

        SimMeasurement m{static_cast<int>(o.status), serial, 0, 0};
        StepWindModel(wind, m.speed, m.direction);
        if (o.speed >= 0) m.speed = static_cast<int>(o.speed * 10 + 0.5);
        if (o.direction >= 0) m.direction = static_cast<int>(o.direction + 0.5);
        if (o.countSpeed) m.speed = static_cast<int>((i + 1) % 10000);
        if (!o.series.empty()) {
            // The frame's place in the whole series, played over and over.
            long total = 0;
            for (const auto& segment : o.series) total += segment.second;
            long at = i % total;
            for (const auto& [segment, frames] : o.series) {
                if (at < frames) {
                    m.speed = segment.speed;
                    m.direction = segment.direction;
                    break;
                }
                at -= frames;
            }
        }
        std::uint8_t frame[14];
        EncodeFrame(m, frame);
        const char* fault = "";
        if (o.parityEvery > 0 && (i + 1) % o.parityEvery == 0) {
            frame[1 + i % 13] ^= 0x40;
            fault = " (parity error)";
        }
        if (o.noCrEvery > 0 && (i + 1) % o.noCrEvery == 0) {
            frame[13] = WithOddParity('0');
            fault = " (no CR)";
        }
        if (o.noiseEvery > 0 && (i + 1) % o.noiseEvery == 0) {
            std::uint8_t noise[5];
            int count = 1 + static_cast<int>(NextRandom(wind) * 5) % 5;
            for (int k = 0; k < count; ++k) noise[k] = static_cast<std::uint8_t>(1 + NextRandom(wind) * 254);
            WriteBytes(o, line, noise, count, deadline);
        }
        timespec lastWritten{-1, 0};
        WriteBytes(o, line, frame, 14, deadline, o.stampFile.empty() ? nullptr : &lastWritten);
        if (lastWritten.tv_sec >= 0) {
            stamps.emplace_back(i + 1, static_cast<long long>(lastWritten.tv_sec) * 1000000000LL + lastWritten.tv_nsec);
        }
        if (o.verbose) {
            std::printf("frame %ld: %d.%d m/s %d deg serial %u status %d%s\n", i + 1, m.speed / 10, m.speed % 10,
                        m.direction, serial, m.status, fault);
            std::fflush(stdout);
        }
        if (!o.fast) {
            double rest = static_cast<double>(o.periodMs) / 1000.0 - (NowSeconds() - frameStart);
            if (rest > 0) Pause(o, line, rest, deadline);
        } else if (deadline > 0 && NowSeconds() >= deadline) {
            stopRequested = 1;
        }
    }
    CloseLine(o, line);
    WriteStamps(o, stamps);
    return 0;
}
