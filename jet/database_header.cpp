// Engine identification and header fields of page 0.
#include "jet/database_header.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "jet/jet_error.h"
#include "jet/rc4.h"
#include "platform/decimal_piece.h"

namespace jet {

void toggleHeaderMask(MutableBytes page0) {
    rc4Xor(kHeaderMaskKey, page0.subspan(kHeaderMaskOffset, kHeaderMaskLength));
}

DatabaseHeader readDatabaseHeader(Bytes page0, const std::string& fileName) {
    if (page0.size() < kPageSize)
        throwJetError(JetFault::NotJet4, fileName, {"not a Jet database: shorter than one 4096-byte page"});
    static const char kJet[] = "Standard Jet DB";
    static const char kAce[] = "Standard ACE DB";
    static const char kMsisam[] = "MSISAM Database";
    auto magic = page0.subspan(4, 16);
    auto is = [&](const char* name) { return std::memcmp(magic.data(), name, 15) == 0; };
    if (loadU32(page0, 0) != 0x00000100u || !(is(kJet) || is(kAce) || is(kMsisam)))
        throwJetError(JetFault::NotJet4, fileName, {"not a Jet database (no Jet signature in the header)"});
    if (is(kAce))
        throwJetError(JetFault::NotJet4, fileName, {"an Access 2007 or later database (ACE), not Jet 4; only "
                                                 "Access 2000-2003 files are supported"});
    if (is(kMsisam)) throwJetError(JetFault::NotJet4, fileName, {"an MSISAM database, not Jet 4"});
    std::uint8_t version = page0[0x14];
    if (version == 0)
        throwJetError(JetFault::NotJet4, fileName, {"a Jet 3 database (Access 97); only Jet 4 (Access 2000-2003) "
                                                 "files are supported"});
    if (version != 1)
        throwJetError(JetFault::NotJet4, fileName, {"engine version ", platform::DecimalPiece(version),
                                                 " is not Jet 4; only Access 2000-2003 files are supported"});

    std::vector<std::uint8_t> plain(page0.begin(), page0.begin() + kPageSize);
    toggleHeaderMask(plain);
    DatabaseHeader header;
    header.codePage = loadU16(plain, 0x3C);
    header.encodingKey = loadU32(plain, 0x3E);
    header.sortOrder = loadU16(plain, 0x6E);
    header.creationDate = loadF64(plain, 0x72);
    if (header.encodingKey != 0)
        throwJetError(JetFault::NotJet4, fileName, {"the database's pages are encrypted (an encoded database); "
                                                 "decode it in Access first"});
    return header;
}

}  // namespace jet
