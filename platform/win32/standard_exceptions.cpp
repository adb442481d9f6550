// The out-of-line members of the standard exception classes (std::logic_error,
// std::runtime_error and their kin) for the Windows programs. libstdc++ keeps their messages in
// its old reference-counted string, and its own definitions bring that whole string class (and
// std::random_device, instantiated beside it) into every program: 26 KB of the x86_64 installer,
// 46 KB of the i686 one. These replace the library's members one for one, so that the linker
// takes none of its: the message in a reference-counted block of our own behind the same single
// pointer. Were one member missing, the library's file would come in with the rest of its
// definitions, and the link would stop on the duplicates.
#include <stdexcept>

#if defined(__GLIBCXX__) && _GLIBCXX_USE_DUAL_ABI && _GLIBCXX_USE_CXX11_ABI

#include <atomic>
#include <cstddef>
#include <cstring>
#include <new>
#include <string>

namespace {

// The block _M_p points into: its reference count, then the text and its terminating zero.
struct Header {
    std::atomic<std::size_t> references;
};
constexpr std::size_t kHeaderSize = (sizeof(Header) + alignof(std::max_align_t) - 1) /
                                    alignof(std::max_align_t) * alignof(std::max_align_t);

Header* headerOf(const char* text) {
    return reinterpret_cast<Header*>(const_cast<char*>(text) - kHeaderSize);
}

const char* newMessage(const char* text, std::size_t size) {
    auto* block = static_cast<char*>(::operator new(kHeaderSize + size + 1));
    new (block) Header{{1}};
    char* copy = block + kHeaderSize;
    std::memcpy(copy, text, size);
    copy[size] = '\0';
    return copy;
}

const char* share(const char* text) noexcept {
    if (text) headerOf(text)->references.fetch_add(1, std::memory_order_relaxed);
    return text;
}

void release(const char* text) noexcept {
    if (!text) return;
    Header* header = headerOf(text);
    if (header->references.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        header->~Header();
        ::operator delete(reinterpret_cast<char*>(header));
    }
}

}  // namespace

namespace std {

// A null pointer is the empty message (what a moved-from exception says).
__cow_string::__cow_string() : _M_p(nullptr) {}
__cow_string::__cow_string(const std::string& text) : _M_p(newMessage(text.data(), text.size())) {}
__cow_string::__cow_string(const char* text, size_t size) : _M_p(newMessage(text, size)) {}
__cow_string::__cow_string(const __cow_string& other) noexcept : _M_p(share(other._M_p)) {}
__cow_string::__cow_string(__cow_string&& other) noexcept : _M_p(other._M_p) { other._M_p = nullptr; }
__cow_string::~__cow_string() { release(_M_p); }

__cow_string& __cow_string::operator=(const __cow_string& other) noexcept {
    const char* kept = share(other._M_p);
    release(_M_p);
    _M_p = kept;
    return *this;
}

__cow_string& __cow_string::operator=(__cow_string&& other) noexcept {
    if (this != &other) {
        release(_M_p);
        _M_p = other._M_p;
        other._M_p = nullptr;
    }
    return *this;
}

#define LUMOR_MESSAGE_CLASS(name)                                                             \
    name::name(const string& message) : _M_msg(message) {}                                   \
    name::name(const char* message) : _M_msg(message, std::strlen(message)) {}               \
    name::name(const name& other) noexcept : exception(other), _M_msg(other._M_msg) {}       \
    name::name(name&& other) noexcept : exception(other), _M_msg(std::move(other._M_msg)) {} \
    name& name::operator=(const name& other) noexcept {                                      \
        _M_msg = other._M_msg;                                                               \
        return *this;                                                                        \
    }                                                                                        \
    name& name::operator=(name&& other) noexcept {                                           \
        _M_msg = std::move(other._M_msg);                                                    \
        return *this;                                                                        \
    }                                                                                        \
    name::~name() noexcept {}                                                                \
    const char* name::what() const noexcept { return _M_msg._M_p ? _M_msg._M_p : ""; }

LUMOR_MESSAGE_CLASS(logic_error)
LUMOR_MESSAGE_CLASS(runtime_error)

#define LUMOR_DERIVED_CLASS(name, base)                                 \
    name::name(const string& message) : base(message) {}               \
    name::name(const char* message) : base(message) {}                \
    name::~name() noexcept {}

LUMOR_DERIVED_CLASS(domain_error, logic_error)
LUMOR_DERIVED_CLASS(invalid_argument, logic_error)
LUMOR_DERIVED_CLASS(length_error, logic_error)
LUMOR_DERIVED_CLASS(out_of_range, logic_error)
LUMOR_DERIVED_CLASS(range_error, runtime_error)
LUMOR_DERIVED_CLASS(overflow_error, runtime_error)
LUMOR_DERIVED_CLASS(underflow_error, runtime_error)

}  // namespace std

#endif
