/* Shifts the wall clock of one program, and only its wall clock, for the tests that run
 * PELLINO.EXE under Wine: loaded with LD_PRELOAD into the Wine process of the program, it adds
 * an offset to every reading of the real time (clock_gettime with CLOCK_REALTIME or
 * CLOCK_REALTIME_COARSE, gettimeofday, time, and on 32-bit systems their 64-bit-time forms
 * __clock_gettime64, __gettimeofday64 and __time64, which the 32-bit Wine calls). The monotonic
 * clocks stay as they are, so timers and tick counts run on undisturbed.
 *
 * PELLINO_CLOCK_SHIFT_FILE names a file that holds the offset in seconds ("-86400", "3600.5").
 * The file is looked at again at most every 50 ms of real time, and read again when its inode,
 * size or modification time changed, so a test moves the clock of a running program by writing
 * a new file (best beside it and renamed over it). No variable, or no file, is no offset. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdatomic.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <time.h>
#include <unistd.h>

#define NS_PER_S 1000000000LL
#define CHECK_EVERY_NS (50 * 1000000LL)

typedef int (*clock_gettime_fn)(clockid_t, struct timespec*);
typedef int (*gettimeofday_fn)(struct timeval*, void*);

static _Atomic int64_t offset_ns;
static _Atomic int64_t next_check_ns = INT64_MIN;
static atomic_flag reading = ATOMIC_FLAG_INIT;
/* What the file was at its last reading; touched only by the thread that holds `reading`. */
static struct {
    int seen;
    dev_t dev;
    ino_t ino;
    off_t size;
    struct timespec mtime;
} last;

static clock_gettime_fn real_clock_gettime(void) {
    static _Atomic(clock_gettime_fn) fn;
    clock_gettime_fn f = atomic_load_explicit(&fn, memory_order_relaxed);
    if (!f) {
        f = (clock_gettime_fn)dlsym(RTLD_NEXT, "clock_gettime");
        atomic_store_explicit(&fn, f, memory_order_relaxed);
    }
    return f;
}

/* "-86400", "+3600", "12.25": seconds with an optional sign and fraction; anything after the
 * number (a line end) is ignored. Returns 0 when the text holds no number. */
static int parse_seconds(const char* text, int64_t* ns) {
    int negative = 0, digits = 0;
    int64_t whole = 0, fraction = 0, scale = NS_PER_S;
    while (*text == ' ' || *text == '\t') ++text;
    if (*text == '-' || *text == '+') negative = *text++ == '-';
    for (; *text >= '0' && *text <= '9'; ++text, ++digits) {
        if (whole > INT64_MAX / NS_PER_S / 10) return 0;
        whole = whole * 10 + (*text - '0');
    }
    if (*text == '.') {
        for (++text; *text >= '0' && *text <= '9'; ++text, ++digits) {
            if (scale > 1) {
                scale /= 10;
                fraction += (*text - '0') * scale;
            }
        }
    }
    if (digits == 0) return 0;
    *ns = (whole * NS_PER_S + fraction) * (negative ? -1 : 1);
    return 1;
}

static void reread_offset(void) {
    const char* path = getenv("PELLINO_CLOCK_SHIFT_FILE");
    struct stat st;
    if (!path || stat(path, &st) != 0) {
        last.seen = 0;
        atomic_store(&offset_ns, 0);
        return;
    }
    if (last.seen && st.st_dev == last.dev && st.st_ino == last.ino && st.st_size == last.size &&
        st.st_mtim.tv_sec == last.mtime.tv_sec && st.st_mtim.tv_nsec == last.mtime.tv_nsec) {
        return;
    }
    char text[64];
    ssize_t length = -1;
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        length = read(fd, text, sizeof text - 1);
        close(fd);
    }
    int64_t ns;
    if (length < 0) return; /* looked at again at the next check */
    text[length] = 0;
    if (!parse_seconds(text, &ns)) return;
    atomic_store(&offset_ns, ns);
    last.seen = 1;
    last.dev = st.st_dev;
    last.ino = st.st_ino;
    last.size = st.st_size;
    last.mtime = st.st_mtim;
}

/* The offset now in force, looking at the file when the last look is 50 ms old. One thread
 * looks while the others go on with the offset they have. */
static int64_t current_offset(void) {
    struct timespec now;
    clock_gettime_fn real = real_clock_gettime();
    if (real && real(CLOCK_MONOTONIC_COARSE, &now) == 0) {
        int64_t monotonic = now.tv_sec * NS_PER_S + now.tv_nsec;
        if (monotonic >= atomic_load_explicit(&next_check_ns, memory_order_relaxed) &&
            !atomic_flag_test_and_set(&reading)) {
            reread_offset();
            atomic_store(&next_check_ns, monotonic + CHECK_EVERY_NS);
            atomic_flag_clear(&reading);
        }
    }
    return atomic_load_explicit(&offset_ns, memory_order_relaxed);
}

static int is_wall_clock(clockid_t id) {
    return id == CLOCK_REALTIME || id == CLOCK_REALTIME_COARSE;
}

/* Adds the offset to a reading of seconds and nanoseconds. */
static void shift(int64_t* sec, int64_t* nsec) {
    int64_t total = *sec * NS_PER_S + *nsec + current_offset();
    *sec = total / NS_PER_S;
    *nsec = total % NS_PER_S;
    if (*nsec < 0) {
        *nsec += NS_PER_S;
        *sec -= 1;
    }
}

int clock_gettime(clockid_t id, struct timespec* ts) {
    clock_gettime_fn real = real_clock_gettime();
    int result = real(id, ts);
    if (result == 0 && is_wall_clock(id)) {
        int64_t sec = ts->tv_sec, nsec = ts->tv_nsec;
        shift(&sec, &nsec);
        ts->tv_sec = (time_t)sec;
        ts->tv_nsec = (long)nsec;
    }
    return result;
}

/* The C library's header calls the time argument never null, but the call takes a null one. */
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnonnull-compare"
int gettimeofday(struct timeval* tv, void* tz) {
    static _Atomic(gettimeofday_fn) fn;
    gettimeofday_fn real = atomic_load_explicit(&fn, memory_order_relaxed);
    if (!real) {
        real = (gettimeofday_fn)dlsym(RTLD_NEXT, "gettimeofday");
        atomic_store_explicit(&fn, real, memory_order_relaxed);
    }
    int result = real(tv, tz);
    if (result == 0 && tv) {
        int64_t sec = tv->tv_sec, nsec = (int64_t)tv->tv_usec * 1000;
        shift(&sec, &nsec);
        tv->tv_sec = (time_t)sec;
        tv->tv_usec = (suseconds_t)(nsec / 1000);
    }
    return result;
}
#pragma GCC diagnostic pop

time_t time(time_t* out) {
    struct timespec ts;
    if (clock_gettime(CLOCK_REALTIME, &ts) != 0) return (time_t)-1;
    if (out) *out = ts.tv_sec;
    return ts.tv_sec;
}

#if defined(__i386__)
/* The 64-bit-time entry points of the 32-bit C library, which programs built with 64-bit time_t
 * (the 32-bit Wine among them) call instead of the ones above. */
struct timespec64 {
    int64_t tv_sec;
    int32_t tv_nsec;
    int32_t padding;
};
struct timeval64 {
    int64_t tv_sec;
    int64_t tv_usec;
};
typedef int (*clock_gettime64_fn)(clockid_t, struct timespec64*);

int __clock_gettime64(clockid_t id, struct timespec64* ts) {
    static _Atomic(clock_gettime64_fn) fn;
    clock_gettime64_fn real = atomic_load_explicit(&fn, memory_order_relaxed);
    if (!real) {
        real = (clock_gettime64_fn)dlsym(RTLD_NEXT, "__clock_gettime64");
        atomic_store_explicit(&fn, real, memory_order_relaxed);
    }
    int result = real(id, ts);
    if (result == 0 && is_wall_clock(id)) {
        int64_t sec = ts->tv_sec, nsec = ts->tv_nsec;
        shift(&sec, &nsec);
        ts->tv_sec = sec;
        ts->tv_nsec = (int32_t)nsec;
    }
    return result;
}

int __gettimeofday64(struct timeval64* tv, void* tz) {
    struct timespec64 ts;
    int result = __clock_gettime64(CLOCK_REALTIME, &ts);
    if (result == 0 && tv) {
        tv->tv_sec = ts.tv_sec;
        tv->tv_usec = ts.tv_nsec / 1000;
    }
    /* The time zone part has been zeros for a long time, as the C library gives it. */
    if (result == 0 && tz) memset(tz, 0, 2 * sizeof(int));
    return result;
}

int64_t __time64(int64_t* out) {
    struct timespec64 ts;
    if (__clock_gettime64(CLOCK_REALTIME, &ts) != 0) return -1;
    if (out) *out = ts.tv_sec;
    return ts.tv_sec;
}
#endif
