// argv_recorder <fifo> [arguments...]: writes every argument after the FIFO's name to the FIFO,
// each followed by a NUL byte, then exits.

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out) return 1;
    for (int i = 2; i < argc; ++i) std::fwrite(argv[i], 1, std::strlen(argv[i]) + 1, out);
    return std::fclose(out) == 0 ? 0 : 1;
}
