// The GNU C++ library raises its errors (a container asked for too much, an
// index out of range) through the std::__throw_* helpers. Its own versions
// throw std::length_error and its kin, whose message strings bring about
// 54 KB of the library's string code into the exe. These versions throw
// std::bad_alloc and the other message-free types as before, and a small
// exception carrying the same message for the rest: the program reports every
// std::exception by its what() and never catches the specific types.
//
// All helpers of the library's file are defined here, so the linker never
// takes its copy as well. Only the Windows program is built with them; other
// toolchains use their own library unchanged.
#include <cstdarg>
#include <cstddef>
#include <exception>
#include <functional>
#include <new>
#include <typeinfo>

#if defined(__GLIBCXX__)

namespace {

class LibraryError final : public std::exception {
public:
    explicit LibraryError(const char* text) noexcept { Append(text ? text : ""); }

    // The library's formats use only %s, %zu and %%.
    LibraryError(const char* format, std::va_list args) noexcept {
        for (const char* f = format; *f; ++f) {
            if (f[0] == '%' && f[1] == 's') {
                Append(va_arg(args, const char*));
                ++f;
            } else if (f[0] == '%' && f[1] == 'z' && f[2] == 'u') {
                AppendNumber(va_arg(args, std::size_t));
                f += 2;
            } else if (f[0] == '%' && f[1] == '%') {
                AppendChar('%');
                ++f;
            } else {
                AppendChar(*f);
            }
        }
    }

    const char* what() const noexcept override { return text_; }

private:
    void AppendChar(char c) noexcept {
        if (length_ + 1 < sizeof(text_)) {
            text_[length_++] = c;
            text_[length_] = '\0';
        }
    }
    void Append(const char* s) noexcept {
        while (*s)
            AppendChar(*s++);
    }
    void AppendNumber(std::size_t n) noexcept {
        char digits[24];
        std::size_t count = 0;
        do {
            digits[count++] = static_cast<char>('0' + n % 10);
            n /= 10;
        } while (n != 0);
        while (count > 0)
            AppendChar(digits[--count]);
    }

    char text_[256] = {};
    std::size_t length_ = 0;
};

} // namespace

namespace std {

void __throw_bad_exception() {
    throw bad_exception();
}
void __throw_bad_alloc() {
    throw bad_alloc();
}
void __throw_bad_array_new_length() {
    throw bad_array_new_length();
}
void __throw_bad_cast() {
    throw bad_cast();
}
void __throw_bad_typeid() {
    throw bad_typeid();
}
void __throw_logic_error(const char* s) {
    throw LibraryError(s);
}
void __throw_domain_error(const char* s) {
    throw LibraryError(s);
}
void __throw_invalid_argument(const char* s) {
    throw LibraryError(s);
}
void __throw_length_error(const char* s) {
    throw LibraryError(s);
}
void __throw_out_of_range(const char* s) {
    throw LibraryError(s);
}
void __throw_out_of_range_fmt(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const LibraryError error(format, args);
    va_end(args);
    throw error;
}
void __throw_runtime_error(const char* s) {
    throw LibraryError(s);
}
void __throw_range_error(const char* s) {
    throw LibraryError(s);
}
void __throw_overflow_error(const char* s) {
    throw LibraryError(s);
}
void __throw_underflow_error(const char* s) {
    throw LibraryError(s);
}

} // namespace std

#endif
