// Breaks atomic replacement: rename() of the hive's temporary file becomes an
// in-place rewrite of the hive, one small write at a time.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>
int rename(const char* from, const char* to)
{
    int (*real)(const char*, const char*) = (int (*)(const char*, const char*))dlsym(RTLD_NEXT, "rename");
    size_t n = strlen(from);
    if (n < 4 || strcmp(from + n - 4, ".tmp") != 0)
        return real(from, to);
    int in = open(from, O_RDONLY);
    int out = open(to, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    char buf[64];
    ssize_t r;
    while ((r = read(in, buf, sizeof buf)) > 0) {
        write(out, buf, (size_t)r);
        usleep(200);
    }
    close(in);
    close(out);
    unlink(from);
    return 0;
}
