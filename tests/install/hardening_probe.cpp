// Built with the release flags beside the program, for the package test:
// a fixed-size copy of unknown length (which _FORTIFY_SOURCE checks) and a
// stack allocation of unknown size (which -fstack-clash-protection probes),
// the two things hardening-check looks for and the quiz itself never does.
// With --fortify-level it prints the _FORTIFY_SOURCE level it was built at.
#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    if (argc == 2 && std::strcmp(argv[1], "--fortify-level") == 0) {
#ifdef _FORTIFY_SOURCE
        std::printf("%d\n", _FORTIFY_SOURCE);
#else
        std::puts("none");
#endif
        return 0;
    }
    const char* word = argv[argc - 1];
    const std::size_t length = std::strlen(word) + 1;
    char copy[64];
    std::memcpy(copy, word, length);
    auto* page = static_cast<char*>(__builtin_alloca(length * 4096));
    std::memcpy(page, copy, length);
    std::puts(page);
}
