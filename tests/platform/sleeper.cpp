// A stand-in for a running client program: it stays alive until its standard input
// closes or it is killed, so that tests can start it under any file name.
// With "--hide-executable" it makes its executable link unreadable to other
// processes of the same user, as the processes of other users are.

#include <sys/prctl.h>
#include <unistd.h>

#include <cstring>

int main(int argc, char *argv[])
{
    if (argc > 1 && std::strcmp(argv[1], "--hide-executable") == 0) {
        if (prctl(PR_SET_DUMPABLE, 0, 0, 0, 0) != 0)
            return 2;
    }
    // Tells the test that the process is set up as asked.
    if (write(STDOUT_FILENO, "ready\n", 6) != 6)
        return 3;

    char buffer[64];
    while (read(STDIN_FILENO, buffer, sizeof buffer) > 0) {
    }
    return 0;
}
