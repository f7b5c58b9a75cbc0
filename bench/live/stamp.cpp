/*******************************************************************************
 * bench/live/stamp.cpp - the monotonic clock of bench/live.sh
 *
 * `stamp` prints the monotonic clock in microseconds, the clock the
 * designer's frame log uses. `stamp FILE COMMAND [ARGS...]` appends the
 * clock to FILE and then becomes COMMAND, so the time taken is as close as a
 * script can get to the moment COMMAND (xdotool) starts sending input.
 *
 * Limits: Linux (CLOCK_MONOTONIC); the shell compiles it into its temporary
 * folder on each run, so it is not part of the build.
 * Depends on: nothing outside the C and C++ standard libraries and POSIX.
 * Does NOT: send input or read the designer's state; bench/live.sh does.
 ******************************************************************************/
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

constexpr long long US_PER_S = 1000000;
constexpr long long NS_PER_US = 1000;
constexpr int EXIT_FAILED = 127;

// The monotonic clock in microseconds.
long long live_now_us()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * US_PER_S + t.tv_nsec / NS_PER_US;
}

} // namespace

// Print the clock, or note it in a file and run a command.
int main(int argc, char** argv)
{
    if (argc < 3) {
        std::printf("%lld\n", live_now_us());
        return 0;
    }
    FILE* f = std::fopen(argv[1], "a");
    if (!f) return EXIT_FAILED;
    std::fprintf(f, "%lld\n", live_now_us());
    std::fclose(f);
    execvp(argv[2], argv + 2);
    std::perror(argv[2]);
    return EXIT_FAILED;
}
