// The kernel's i2c-dev interface without the kernel, preloaded into a test's child process.
// Device nodes "i2c-N" under $QUELVAR_I2C_EMU_DIR/dev are plain files; their descriptors answer
// I2C_FUNCS, I2C_SLAVE and I2C_SMBUS as i2c-dev does over the i2c-stub driver: a chip at each
// address of $QUELVAR_I2C_EMU_CHIPS with 256 16-bit words, kept in the node file itself so that
// several processes (the program, i2cget, i2cset) see one chip. "/dev/i2c-N" and "/dev/i2c/N",
// as i2c-tools open them, lead to the same nodes. An unlinked node is an unplugged adapter.
// Every open and close of a node and every i2c-dev ioctl on any descriptor is appended to
// $QUELVAR_I2C_EMU_LOG, one line each.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <linux/i2c-dev.h>
#include <linux/i2c.h>

#define MAX_FDS 1024
#define EXPORT __attribute__((visibility("default")))

struct node {
    int adapter;  // N of i2c-N, or -1 when the descriptor is no emulated node
    int address;
};
static struct node nodes[MAX_FDS];
static int ready;

typedef int (*open_fn)(const char*, int, ...);
typedef int (*openat_fn)(int, const char*, int, ...);
typedef int (*ioctl_fn)(int, unsigned long, ...);
typedef int (*close_fn)(int);

static void* real(const char* name)
{
    void* f = dlsym(RTLD_NEXT, name);
    if (!f)
        abort();
    return f;
}

static void setup(void)
{
    if (ready)
        return;
    for (int i = 0; i < MAX_FDS; ++i)
        nodes[i].adapter = -1;
    ready = 1;
}

static void logLine(const char* format, ...)
{
    const char* path = getenv("QUELVAR_I2C_EMU_LOG");
    if (!path)
        return;
    char line[512];
    va_list args;
    va_start(args, format);
    int n = vsnprintf(line, sizeof line - 1, format, args);
    va_end(args);
    if (n < 0)
        return;
    if (n > (int)sizeof line - 2)
        n = sizeof line - 2;
    line[n++] = '\n';
    int fd = ((open_fn)real("open"))(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd >= 0) {
        ssize_t ignored = write(fd, line, (size_t)n);
        (void)ignored;
        ((close_fn)real("close"))(fd);
    }
}

// The adapter number of a node path, and the node file it stands for; -1 for any other path.
static int nodeOf(const char* path, char* file, size_t size)
{
    const char* dir = getenv("QUELVAR_I2C_EMU_DIR");
    if (!dir || !path)
        return -1;
    const size_t len = strlen(dir);
    const char* rest = NULL;
    if (strncmp(path, dir, len) == 0 && strncmp(path + len, "/dev/i2c-", 9) == 0)
        rest = path + len + 9;
    else if (strncmp(path, "/dev/i2c-", 9) == 0)
        rest = path + 9;
    else if (strncmp(path, "/dev/i2c/", 9) == 0)
        rest = path + 9;
    if (!rest || !*rest)
        return -1;
    char* end = NULL;
    const long n = strtol(rest, &end, 10);
    if (*end || n < 0 || n > 0xFFFFF)
        return -1;
    snprintf(file, size, "%s/dev/i2c-%ld", dir, n);
    return (int)n;
}

static int opened(int fd, int adapter, int flags)
{
    if (fd >= 0 && fd < MAX_FDS) {
        nodes[fd].adapter = adapter;
        nodes[fd].address = -1;
    }
    logLine("open i2c-%d %s", adapter, (flags & O_ACCMODE) == O_RDWR ? "rw" : (flags & O_ACCMODE) == O_WRONLY ? "wo" : "ro");
    return fd;
}

// dirfd: AT_FDCWD from open and open64.
static int openNode(int at, int dirfd, const char* path, int flags, mode_t mode, const char* name)
{
    setup();
    char file[4096];
    const int adapter = nodeOf(path, file, sizeof file);
    if (adapter < 0)
        return at ? ((openat_fn)real(name))(dirfd, path, flags, mode) : ((open_fn)real(name))(path, flags, mode);
    // The node file stands for the device: never created, never truncated.
    const int fd = ((open_fn)real("open"))(file, flags & ~(O_CREAT | O_TRUNC | O_EXCL), 0);
    return fd < 0 ? fd : opened(fd, adapter, flags);
}

static mode_t modeOf(int flags, va_list args)
{
    return (flags & (O_CREAT | O_TMPFILE)) ? (mode_t)va_arg(args, int) : 0;
}

// open, open64, openat and openat64: the mode comes only with O_CREAT or O_TMPFILE.
#define OPEN_LIKE(name, at, dirfd, ...)                                  \
    EXPORT int name(__VA_ARGS__, int flags, ...)                         \
    {                                                                    \
        va_list args;                                                    \
        va_start(args, flags);                                           \
        const mode_t mode = modeOf(flags, args);                         \
        va_end(args);                                                    \
        return openNode(at, dirfd, path, flags, mode, #name);            \
    }
OPEN_LIKE(open, 0, AT_FDCWD, const char* path)
OPEN_LIKE(open64, 0, AT_FDCWD, const char* path)
OPEN_LIKE(openat, 1, dirfd, int dirfd, const char* path)
OPEN_LIKE(openat64, 1, dirfd, int dirfd, const char* path)

EXPORT int __open_2(const char* path, int flags) { return openNode(0, AT_FDCWD, path, flags, 0, "open"); }
EXPORT int __open64_2(const char* path, int flags) { return openNode(0, AT_FDCWD, path, flags, 0, "open64"); }

EXPORT int close(int fd)
{
    setup();
    if (fd >= 0 && fd < MAX_FDS && nodes[fd].adapter >= 0) {
        logLine("close i2c-%d", nodes[fd].adapter);
        nodes[fd].adapter = -1;
    }
    return ((close_fn)real("close"))(fd);
}

static int fail(int error)
{
    errno = error;
    return -1;
}

static int listed(const char* variable, int address)
{
    const char* list = getenv(variable);
    for (const char* p = list ? list : ""; *p;) {
        char* end = NULL;
        const long a = strtol(p, &end, 0);
        if (end == p)
            break;
        if (a == address)
            return 1;
        p = *end ? end + 1 : end;
    }
    return 0;
}

// i2c-stub: word data is the chip's word; byte data is its low byte, and a byte write keeps the
// high byte.
static int smbusTransfer(int fd, struct node* n, struct i2c_smbus_ioctl_data* arg)
{
    struct stat st;
    if (fstat(fd, &st) != 0 || st.st_nlink == 0)
        return fail(ENODEV);  // unplugged: the bridge's driver answers no more
    if (arg->size != I2C_SMBUS_BYTE_DATA && arg->size != I2C_SMBUS_WORD_DATA)
        return fail(EOPNOTSUPP);
    if (n->address < 0 || !listed("QUELVAR_I2C_EMU_CHIPS", n->address))
        return fail(ENXIO);  // no acknowledge
    const off_t at = (off_t)(n->address * 256 + arg->command) * 2;
    unsigned short word = 0;
    if (pread(fd, &word, sizeof word, at) < 0)
        return fail(EIO);
    const int read = arg->read_write == I2C_SMBUS_READ;
    if (read && arg->size == I2C_SMBUS_WORD_DATA)
        arg->data->word = word;
    else if (read)
        arg->data->byte = (unsigned char)(word & 0xFF);
    else {
        word = arg->size == I2C_SMBUS_WORD_DATA ? arg->data->word : (unsigned short)((word & 0xFF00) | arg->data->byte);
        if (pwrite(fd, &word, sizeof word, at) != (ssize_t)sizeof word)
            return fail(EIO);
    }
    return 0;
}

static int smbus(int fd, struct node* n, struct i2c_smbus_ioctl_data* arg)
{
    const int r = smbusTransfer(fd, n, arg);
    const int error = errno;
    const int word = arg->size == I2C_SMBUS_WORD_DATA;
    char result[32];
    if (r < 0)
        snprintf(result, sizeof result, "%s", strerrorname_np(error));
    else
        snprintf(result, sizeof result, word ? "0x%04X" : "0x%02X", word ? arg->data->word : arg->data->byte);
    logLine("smbus i2c-%d %s %s 0x%02X at 0x%02X = %s", n->adapter, arg->read_write == I2C_SMBUS_READ ? "read" : "write",
            word ? "word" : "byte", arg->command, n->address, result);
    errno = error;
    return r;
}

static const char* requestName(unsigned long request)
{
    switch (request) {
    case I2C_RETRIES: return "I2C_RETRIES";
    case I2C_TIMEOUT: return "I2C_TIMEOUT";
    case I2C_SLAVE: return "I2C_SLAVE";
    case I2C_SLAVE_FORCE: return "I2C_SLAVE_FORCE";
    case I2C_TENBIT: return "I2C_TENBIT";
    case I2C_FUNCS: return "I2C_FUNCS";
    case I2C_RDWR: return "I2C_RDWR";
    case I2C_PEC: return "I2C_PEC";
    case I2C_SMBUS: return "I2C_SMBUS";
    default: return "?";
    }
}

EXPORT int ioctl(int fd, unsigned long request, ...)
{
    setup();
    va_list args;
    va_start(args, request);
    void* arg = va_arg(args, void*);
    va_end(args);
    const int i2c = (request >> 8) == 0x07;  // the i2c-dev requests
    struct node* n = fd >= 0 && fd < MAX_FDS && nodes[fd].adapter >= 0 ? &nodes[fd] : NULL;
    if (i2c && request != I2C_SMBUS) {
        char name[64] = "fd";
        if (n)
            snprintf(name, sizeof name, "i2c-%d", n->adapter);
        const int pointer = request == I2C_FUNCS || request == I2C_RDWR;
        if (pointer)
            logLine("ioctl %s %s", name, requestName(request));
        else
            logLine("ioctl %s %s 0x%lX", name, requestName(request), (unsigned long)arg);
    }
    if (!n)
        return ((ioctl_fn)real("ioctl"))(fd, request, arg);
    switch (request) {
    case I2C_FUNCS: {
        const char* mask = getenv("QUELVAR_I2C_EMU_FUNCS");
        *(unsigned long*)arg = mask ? strtoul(mask, NULL, 0)
                                    : I2C_FUNC_SMBUS_QUICK | I2C_FUNC_SMBUS_BYTE | I2C_FUNC_SMBUS_BYTE_DATA |
                                          I2C_FUNC_SMBUS_WORD_DATA | I2C_FUNC_SMBUS_BLOCK_DATA | I2C_FUNC_SMBUS_I2C_BLOCK;
        return 0;
    }
    case I2C_SLAVE:
    case I2C_SLAVE_FORCE:
        if ((unsigned long)arg > 0x7F)
            return fail(EINVAL);
        if (request == I2C_SLAVE && listed("QUELVAR_I2C_EMU_BUSY", (int)(unsigned long)arg))
            return fail(EBUSY);  // a kernel driver's client sits there
        n->address = (int)(unsigned long)arg;
        return 0;
    case I2C_SMBUS: return smbus(fd, n, (struct i2c_smbus_ioctl_data*)arg);
    case I2C_TIMEOUT:
    case I2C_RETRIES: return 0;
    default: return fail(ENOTTY);
    }
}
