// Built with the release flags beside the program, for the package test:
// a fixed-size copy of unknown length (which _FORTIFY_SOURCE checks) and a
// stack allocation of unknown size (which -fstack-clash-protection probes),
// the two things hardening-check looks for and the quiz itself never does.
#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    const char* word = argv[argc - 1];
    const std::size_t length = std::strlen(word) + 1;
    char copy[64];
    std::memcpy(copy, word, length);
    auto* page = static_cast<char*>(__builtin_alloca(length * 4096));
    std::memcpy(page, copy, length);
    std::puts(page);
}
