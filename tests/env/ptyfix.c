/* ptyfix: preloaded into the Wine processes of the tests and the demo, never into the program.
 * A pty always keeps 8 data bits, and this kernel rejects a tcsetattr whose only change is to 7 data bits,
 * so Wine's SetCommState with ByteSize 7 fails on every open of a pty after the first. Such a call is
 * retried with 8 data bits; a real serial port never gets here. With KX205_TERMIOS_LOG set, every
 * requested line setting is appended to that file, so tests can see what the program asked the tty for. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <termios.h>

static long BaudOf(speed_t s) {
    static const speed_t speeds[] = {B50, B75, B110, B134, B150, B200, B300, B600, B1200, B2400, B4800, B9600,
                                     B19200, B38400, B57600, B115200};
    static const long rates[] = {50, 75, 110, 134, 150, 200, 300, 600, 1200, 2400, 4800, 9600,
                                 19200, 38400, 57600, 115200};
    for (unsigned i = 0; i < sizeof rates / sizeof rates[0]; ++i) {
        if (speeds[i] == s) return rates[i];
    }
    return -1;
}

static void LogRequest(const struct termios* t) {
    const char* path = getenv("KX205_TERMIOS_LOG");
    if (path == NULL || *path == '\0') return;
    FILE* f = fopen(path, "a");
    if (f == NULL) return;
    int bits = (t->c_cflag & CSIZE) == CS5 ? 5 : (t->c_cflag & CSIZE) == CS6 ? 6 : (t->c_cflag & CSIZE) == CS7 ? 7 : 8;
    fprintf(f, "baud=%ld databits=%d parity=%s stopbits=%d\n", BaudOf(cfgetospeed(t)), bits,
            (t->c_cflag & PARENB) ? ((t->c_cflag & PARODD) ? "odd" : "even") : "none", (t->c_cflag & CSTOPB) ? 2 : 1);
    fclose(f);
}

int tcsetattr(int fd, int action, const struct termios* t) {
    static int (*real)(int, int, const struct termios*);
    if (real == NULL) real = (int (*)(int, int, const struct termios*))dlsym(RTLD_NEXT, "tcsetattr");
    LogRequest(t);
    int result = real(fd, action, t);
    if (result != 0 && errno == EINVAL && (t->c_cflag & CSIZE) != CS8) {
        struct termios eight = *t;
        eight.c_cflag = (eight.c_cflag & ~CSIZE) | CS8;
        result = real(fd, action, &eight);
    }
    return result;
}
