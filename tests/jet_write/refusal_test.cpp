// Rows that do not suit their table are refused, naming the fault, table and column, and
// leave the file exactly as it was. (tests/catalog words the refusals.)
#include <gtest/gtest.h>

#include "jet/write/database_writer.h"
#include "tests/jet_write/written_rows.h"
#include "tests/support/test_paths.h"

namespace {

using namespace jet::write;
using jet::ColumnType;
using jet::Value;
using jetwritetest::Row;

TEST(Refusal, EachBadRowIsRefusedWithItsFaultTableAndColumnAndChangesNothing) {
    testsupport::TempDir dir;
    const std::string file = (dir.path() / "refuse.mdb").string();
    const std::vector<Row> good = {{Value(std::int32_t(5)), Value::text("pięć"), Value(true)},
                                   {Value(std::int32_t(6)), Value::text("sześć"), Value(false)}};
    {
        auto db = DatabaseWriter::create(platform::realFileSystem(), file);
        db->createTable(TableShape{"Dodatki",
                                  {{"ID", ColumnType::Int32, 0},
                                   {"Nazwa", ColumnType::Text, 10},
                                   {"Dodatek_wst", ColumnType::Bool, 0}},
                                  PrimaryKeyShape{"Primary", "ID"}});
        for (const Row& row : good) db->appendRow("Dodatki", row);
        db->close();
    }
    const std::string before = testsupport::readFile(file);

    struct Case {
        const char* what;
        Row row;
        RowFault fault;
        std::string column;
    };
    const std::vector<Case> cases = {
        {"repeated key", {Value(std::int32_t(5)), Value::text("inna"), Value(false)},
         RowFault::KeyRepeated, "ID"},
        {"text longer than its column", {Value(std::int32_t(7)), Value::text("jedenaście!"), Value(false)},
         RowFault::TextTooLong, "Nazwa"},
        {"text for a number", {Value::text("8"), Value::text("osiem"), Value(false)},
         RowFault::WrongKind, "ID"},
        {"number for a yes/no column", {Value(std::int32_t(9)), Value::text("x"), Value(std::int32_t(1))},
         RowFault::WrongKind, "Dodatek_wst"},
        {"no key at all", {Value(), Value::text("x"), Value(false)}, RowFault::KeyMissing, "ID"},
        {"text that is no UTF-8", {Value(std::int32_t(10)), Value::text("\xC3\x28"), Value(false)},
         RowFault::NotUtf8, "Nazwa"},
        {"too many values", {Value(std::int32_t(11)), Value::text("x"), Value(false), Value(false)}, RowFault::TooManyValues, ""},
    };
    auto db = DatabaseWriter::open(platform::realFileSystem(), file);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            db->appendRow("Dodatki", c.row);
            ADD_FAILURE() << "accepted";
        } catch (const RowRefused& e) {
            EXPECT_EQ(e.fault(), c.fault);
            EXPECT_EQ(e.column(), c.column);
            EXPECT_EQ(e.table(), "Dodatki");
        }
    }
    db->close();
    EXPECT_EQ(testsupport::readFile(file), before);
    EXPECT_THROW(DatabaseWriter::open(platform::realFileSystem(), file)->appendRow("Brak", {}), jet::JetError);
}

// What the layer above words a refusal from: the limits, the kinds, the index and the row's key.
TEST(Refusal, RefusalsCarryTheDetailsTheirMessagesAreWordedFrom) {
    auto db = DatabaseWriter::createOn(jet::memorySource({}, "details.mdb"), 45000.0);
    db->createTable(TableShape{"Dodatki",
                              {{"ID", ColumnType::Int32, 0}, {"Nazwa", ColumnType::Text, 10}},
                              PrimaryKeyShape{"Klucz", "ID"}});
    db->appendRow("Dodatki", {Value(std::int32_t(5)), Value::text("pięć")});
    const auto refusalOf = [&](const Row& row) {
        try {
            db->appendRow("Dodatki", row);
        } catch (const RowRefused& e) {
            return e.refusal();
        }
        ADD_FAILURE() << "accepted";
        return RowRefusal{};
    };

    const RowRefusal tooLong = refusalOf({Value(std::int32_t(7)), Value::text("jedenaście!")});
    EXPECT_EQ(tooLong.given, 11u);
    EXPECT_EQ(tooLong.limit, 10u);
    EXPECT_EQ(tooLong.rowNumber, 2u);
    ASSERT_EQ(tooLong.key.size(), 1u);
    EXPECT_EQ(tooLong.key[0].first, "ID");
    EXPECT_EQ(tooLong.key[0].second, Value(std::int32_t(7)));
    EXPECT_EQ(tooLong.index, "");

    const RowRefusal wrongKind = refusalOf({Value(std::int32_t(8)), Value(2.5)});
    EXPECT_EQ(wrongKind.fault, RowFault::WrongKind);
    EXPECT_EQ(wrongKind.column, "Nazwa");
    EXPECT_EQ(wrongKind.columnType, ColumnType::Text);
    EXPECT_EQ(wrongKind.givenKind, Value::Kind::Double);
    EXPECT_EQ(wrongKind.given, 0u);

    const RowRefusal notUtf8 = refusalOf({Value(std::int32_t(9)), Value::text("\xC3\x28")});
    EXPECT_EQ(notUtf8.fault, RowFault::NotUtf8);
    EXPECT_EQ(notUtf8.givenKind, Value::Kind::Null);  // set for wrong kinds only

    const RowRefusal repeated = refusalOf({Value(std::int32_t(5)), Value::text("inna")});
    EXPECT_EQ(repeated.fault, RowFault::KeyRepeated);
    EXPECT_EQ(repeated.index, "Klucz");
    EXPECT_EQ(repeated.column, "ID");
    EXPECT_EQ(repeated.keyColumns, std::vector<std::string>{"ID"});
    EXPECT_EQ(repeated.detail, "");

    const RowRefusal missing = refusalOf({Value(), Value::text("x")});
    EXPECT_EQ(missing.fault, RowFault::KeyMissing);
    EXPECT_EQ(missing.index, "Klucz");
    EXPECT_EQ(missing.column, "ID");
    EXPECT_EQ(missing.keyColumns, std::vector<std::string>{"ID"});
}

// A source that starts failing reads when told to, as a damaged disk would.
class FailingSource : public jet::PageSource {
public:
    explicit FailingSource(std::unique_ptr<jet::PageSource> inner) : inner_(std::move(inner)) {}
    const std::string& name() const override { return inner_->name(); }
    std::uint64_t size() const override { return inner_->size(); }
    void read(std::uint64_t offset, jet::MutableBytes out) override {
        if (readsLeft == 0) throw jet::JetError(name(), "simulated read failure");
        if (readsLeft > 0) --readsLeft;
        inner_->read(offset, out);
    }
    bool writable() const override { return true; }
    void write(std::uint64_t offset, jet::Bytes data) override { inner_->write(offset, data); }
    void flush() override { inner_->flush(); }
    int readsLeft = -1;  // reads that still succeed; -1 for all

private:
    std::unique_ptr<jet::PageSource> inner_;
};

// The k-th read of a fresh session fails, at another point of the append each time; the
// writer must put back whatever the append had changed, and go on afterwards. Made once, read
// by our reader here and by the outside readers where they run.
class HalfWayAppend : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new testsupport::TempDir;
        file_ = (dir_->path() / "half.mdb").string();
        {
            auto db = DatabaseWriter::create(platform::realFileSystem(), file_);
            db->createTable(TableShape{"T", {{"ID", ColumnType::Int32, 0}, {"t", ColumnType::Text, 255}},
                                      PrimaryKeyShape{"Primary", "ID"}});
            for (std::int32_t i = 0; i < 30; ++i)
                db->appendRow("T", rows_.emplace_back(Row{Value(i), Value::text(std::string(250, 'q'))}));
            db->close();
        }
        for (int readsBeforeFailure = 0; readsBeforeFailure < 8; ++readsBeforeFailure) {
            auto source = std::make_unique<FailingSource>(
                jet::openFileSource(platform::realFileSystem(), file_, jet::OpenMode::ReadWrite));
            FailingSource* failing = source.get();
            auto db = DatabaseWriter::openOn(std::move(source));
            const std::int32_t next = static_cast<std::int32_t>(rows_.size());
            failing->readsLeft = readsBeforeFailure;
            try {
                db->appendRow("T", Row{Value(next), Value::text(std::string(250, 'x'))});
                rows_.push_back(Row{Value(next), Value::text(std::string(250, 'x'))});
            } catch (const jet::JetError&) {
                ++failures_;
            }
            failing->readsLeft = -1;
            db->appendRow("T", rows_.emplace_back(Row{Value(next + 1000), Value::text("po błędzie")}));
            db->close();
        }
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
        rows_.clear();
        failures_ = 0;
    }

    static testsupport::TempDir* dir_;
    static std::string file_;
    static std::vector<Row> rows_;
    static int failures_;
};
testsupport::TempDir* HalfWayAppend::dir_ = nullptr;
std::string HalfWayAppend::file_;
std::vector<Row> HalfWayAppend::rows_;
int HalfWayAppend::failures_ = 0;

TEST_F(HalfWayAppend, FailedAppendsArePutBackAndOurReaderReadsWhatSucceeded) {
    EXPECT_GE(failures_, 4);
    jetwritetest::expectOurReaderSees(file_, "T", {"ID", "t"}, rows_);
}

TEST_F(HalfWayAppend, OutsideReadersReadTheSameRows) {
    SKIP_WITHOUT_ORACLES();
    jetwritetest::expectOutsideReadersSee(file_, "T", {"ID", "t"}, rows_);
}

}  // namespace

namespace {

// Tables are found whatever the letter case of the name given; refusals name them as stored,
// and their English notes (for logs) are joined as before.
TEST(Refusal, TablesFoundWithoutRegardToLetterCaseAndNamedAsStored) {
    auto db = DatabaseWriter::createOn(jet::memorySource({}, "case.mdb"), 45000.0);
    db->createTable(TableShape{"Dodatki", {{"ID", ColumnType::Int32, 0}, {"Nazwa", ColumnType::Text, 10}},
                               PrimaryKeyShape{"Primary", "ID"}});
    db->createTable(TableShape{"Pozycje", {{"Kod", ColumnType::Text, 5}}, {}});
    db->appendRow("DODATKI", {Value(std::int32_t(5)), Value::text("pięć")});
    db->appendRow("pozycje", {Value::text("a")});
    db->appendRow("Dodatki", {Value(std::int32_t(6)), Value::text("sześć")});
    EXPECT_EQ(db->table("dODATKI").columns.size(), 2u);
    EXPECT_EQ(db->tableNames(), (std::vector<std::string>{"Dodatki", "Pozycje"}));

    try {
        db->appendRow("dodatki", {Value(std::int32_t(5)), Value::text("inna")});
        ADD_FAILURE() << "repeated key accepted";
    } catch (const RowRefused& e) {
        EXPECT_EQ(e.table(), "Dodatki");
        EXPECT_STREQ(e.what(), "table Dodatki, column ID: a unique key repeated");
    }
    try {
        db->appendRow("pozycje", {Value::text("a"), Value::text("b")});
        ADD_FAILURE() << "too many values accepted";
    } catch (const RowRefused& e) {
        EXPECT_STREQ(e.what(), "table Pozycje: more values than the table has columns");
    }
    try {
        db->createTable(TableShape{"POZYCJE", {{"a", ColumnType::Text, 5}}, {}});
        ADD_FAILURE() << "repeated table accepted";
    } catch (const TableRefused& e) {
        EXPECT_EQ(e.fault(), TableFault::NameTaken);
        EXPECT_STREQ(e.what(), "cannot create table POZYCJE: a table of that name exists");
    }
    try {
        db->createTable(TableShape{"T", {{"a", ColumnType::Text, 0}}, {}});
        ADD_FAILURE() << "text of 0 characters accepted";
    } catch (const TableRefused& e) {
        EXPECT_EQ(e.column(), "a");
        EXPECT_STREQ(e.what(), "cannot create table T, column a: a text column holds 1 to 255 characters");
    }
    try {
        db->appendRow("Brak", {});
        ADD_FAILURE() << "missing table accepted";
    } catch (const jet::JetError& e) {
        EXPECT_EQ(e.fault(), jet::JetFault::NoSuchTable);
        EXPECT_STREQ(e.what(), "case.mdb, table Brak: no such table");
    }
}

}  // namespace
