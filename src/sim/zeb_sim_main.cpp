// zeb-sim: the virtual controller on a pseudo-terminal.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::puts("Usage: zeb-sim [OPTIONS]\n\nThe virtual engraving controller.");
            return 0;
        }
    }
    std::fputs("zeb-sim: not serving yet\n", stderr);
    return 1;
}
