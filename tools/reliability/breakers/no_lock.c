// Breaks the save lock: flock() always succeeds without locking.
int flock(int fd, int op)
{
    (void)fd;
    (void)op;
    return 0;
}
