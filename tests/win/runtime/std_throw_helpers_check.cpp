// Checks the exe's replacements of the C++ library's throw helpers: every
// library error still arrives as a std::exception (the program's reports take
// them by that type) with the library's own message, formatted as before, and
// the message-free types stay what they were. Linked like the exe, with the
// helpers, so a helper missing from the file would break this link as well.
// Prints one line per failed case; the exit code is the number of failures.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

enum class Kind { Library, BadAlloc, BadArrayNewLength, BadFunctionCall };

struct Case {
    const char* name;
    void (*raise)();
    Kind kind;
    const char* message; // the whole what() for library errors
};

const char* KindName(Kind kind) {
    switch (kind) {
    case Kind::Library:
        return "library error";
    case Kind::BadAlloc:
        return "bad_alloc";
    case Kind::BadArrayNewLength:
        return "bad_array_new_length";
    case Kind::BadFunctionCall:
        return "bad_function_call";
    }
    return "?";
}

volatile std::size_t g_index = 3; // kept from the optimiser's view

const Case kCases[] = {
    {.name = "vector::at past the end",
     .raise = [] { (void)std::vector<int>(2).at(g_index); },
     .kind = Kind::Library,
     .message = "vector::_M_range_check: __n (which is 3) >= this->size() (which is 2)"},
    {.name = "wstring::substr past the end",
     .raise = [] { (void)std::wstring(L"ab").substr(g_index + 2); },
     .kind = Kind::Library,
     .message = "basic_string::substr: __pos (which is 5) > this->size() (which is 2)"},
    {.name = "vector larger than max_size",
     .raise = [] { std::vector<int> v(std::vector<int>().max_size() + g_index); },
     .kind = Kind::Library,
     .message = "cannot create std::vector larger than max_size()"},
    {.name = "wstring larger than max_size",
     .raise =
         [] {
             std::wstring s;
             s.resize(s.max_size() + g_index);
         },
     .kind = Kind::Library,
     .message = "basic_string::_M_replace_aux"},
    {.name = "allocator asked for more than can exist",
     .raise = [] { (void)std::allocator<std::uint64_t>().allocate(SIZE_MAX / 4 + g_index); },
     .kind = Kind::BadArrayNewLength,
     .message = nullptr},
    {.name = "empty function called",
     .raise = [] { std::function<void()>()(); },
     .kind = Kind::BadFunctionCall,
     .message = nullptr},
};

// Which kind arrived, and its text; always caught by std::exception in the end.
bool Raise(const Case& c, Kind& kind, std::string& what) {
    try {
        try {
            c.raise();
        } catch (const std::bad_array_new_length&) {
            kind = Kind::BadArrayNewLength;
            throw;
        } catch (const std::bad_alloc&) {
            kind = Kind::BadAlloc;
            throw;
        } catch (const std::bad_function_call&) {
            kind = Kind::BadFunctionCall;
            throw;
        } catch (const std::exception&) {
            kind = Kind::Library;
            throw;
        }
    } catch (const std::exception& e) {
        what = e.what();
        return true;
    } catch (...) {
        return false;
    }
    return false;
}

} // namespace

int main() {
    int failures = 0;
    for (const Case& c : kCases) {
        Kind kind{};
        std::string what;
        if (!Raise(c, kind, what)) {
            std::printf("FAIL %s: nothing, or not a std::exception, arrived\n", c.name);
            ++failures;
        } else if (kind != c.kind) {
            std::printf("FAIL %s: %s arrived, expected %s\n", c.name, KindName(kind),
                        KindName(c.kind));
            ++failures;
        } else if (c.message && what != c.message) {
            std::printf("FAIL %s: \"%s\", expected \"%s\"\n", c.name, what.c_str(), c.message);
            ++failures;
        } else {
            std::printf("ok   %s: %s\n", c.name, what.c_str());
        }
    }
    return failures;
}
