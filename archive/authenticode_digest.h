// Whether the digest an Authenticode signature carries is the digest of the file: the PE
// image hash (the whole file before the certificate table, without the header's checksum and
// security directory entry) against the messageDigest of the SpcIndirectDataContent in the
// PKCS#7 SignedData. Neither the signature over it nor the certificates are checked: a
// matching digest shows the file is the one that was signed if the signature is genuine.
#pragma once

#include <string>

#include "archive/sha_digest.h"
#include "platform/file_system.h"

namespace archive {

enum class SignedDigest {
    NoSignature,       // no certificate table ends the file
    Matches,
    DiffersFromFile,
    Unreadable,        // the table holds no PKCS#7 SignedData with an Authenticode digest
    UnknownAlgorithm,  // a digest other than SHA-1 or SHA-256
};

struct SignedDigestCheck {
    SignedDigest result = SignedDigest::NoSignature;
    DigestKind kind = DigestKind::Sha256;  // with Matches and DiffersFromFile
};

// Reads the file's head, its certificate table (at most 1 MiB) and hashes the rest in pieces.
// Errors of the file pass through.
SignedDigestCheck checkSignedDigest(platform::ReadableFile& file);

}  // namespace archive
