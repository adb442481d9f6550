// The one error the ZIP library throws: what is wrong (a Fault), the member concerned (empty
// for the archive as a whole) and an English detail for traces. Callers that show errors to
// users translate the fault into their own words.
#pragma once

#include <stdexcept>
#include <string>

namespace zip {

enum class Fault {
    Truncated,           // the archive ends inside a record
    BadEndRecord,        // no usable end-of-central-directory record
    Zip64,               // a ZIP64 record or extra field missing, misplaced, short or disagreeing
    MultiDisk,           // spanned or split archive (not supported)
    BadCentralDirectory, // central directory out of bounds or malformed
    BadLocalHeader,      // a local header missing or out of bounds
    HeaderMismatch,      // local header and central directory disagree
    Overlap,             // two members share bytes, or a member runs into the directory
    Encrypted,           // encrypted member
    UnsupportedMethod,   // neither stored nor deflate
    BadCompressedData,   // the deflate stream is damaged or ends early
    SizeMismatch,        // more or fewer bytes than the directory announces
    CrcMismatch,         // the CRC-32 of the data differs from the directory's
    UnsafeName,          // a name that could leave the destination folder or is not valid
    NotRegularFile,      // a symbolic link or another special file
    DuplicateName,       // two members would be written to the same path
    MemberNotFound,      // no member of that name
};

class ZipError : public std::runtime_error {
public:
    // Out of line, as it builds the message: one copy for all throws.
    ZipError(Fault fault, std::string member, const std::string& detail);

    Fault fault() const { return fault_; }
    const std::string& member() const { return member_; }
    const std::string& detail() const { return detail_; }

private:
    Fault fault_;
    std::string member_;
    std::string detail_;
};

// Throws ZipError. Every refusal of the library goes through here, so a throw site is one
// call with no string temporaries (and no clean-up code) of its own.
[[noreturn]] void fail(Fault fault, const std::string& member, const char* detail);
// A fault of the archive as a whole: no member named.
[[noreturn]] void fail(Fault fault, const char* detail);

}  // namespace zip
