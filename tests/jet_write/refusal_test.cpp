// Rows that do not suit their table are refused with a message naming table, column and
// key, and leave the file exactly as it was.
#include <gtest/gtest.h>

#include "jet/write/database_writer.h"
#include "tests/jet_write/written_rows.h"
#include "tests/support/test_paths.h"

namespace {

using namespace jet::write;
using jet::ColumnType;
using jet::Value;
using jetwritetest::Row;

TEST(Refusal, EachBadRowIsRefusedWithTableColumnAndKeyAndChangesNothing) {
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
        std::vector<std::string> mentions;  // parts the message must contain
    };
    const std::vector<Case> cases = {
        {"repeated key", {Value(std::int32_t(5)), Value::text("inna"), Value(false)},
         {"`Dodatki`", "`ID`", "ID = 5", "`Primary`"}},
        {"text longer than its column", {Value(std::int32_t(7)), Value::text("jedenaście!"), Value(false)},
         {"`Dodatki`", "`Nazwa`", "ID = 7", "11 znaków", "mieści 10"}},
        {"text for a number", {Value::text("8"), Value::text("osiem"), Value(false)},
         {"`Dodatki`", "`ID`", "tekst"}},
        {"number for a yes/no column", {Value(std::int32_t(9)), Value::text("x"), Value(std::int32_t(1))},
         {"`Dodatki`", "`Dodatek_wst`", "ID = 9"}},
        {"no key at all", {Value(), Value::text("x"), Value(false)}, {"`Dodatki`", "`ID`", "`Primary`"}},
        {"text that is no UTF-8", {Value(std::int32_t(10)), Value::text("\xC3\x28"), Value(false)},
         {"`Nazwa`", "UTF-8"}},
        {"too many values", {Value(std::int32_t(11)), Value::text("x"), Value(false), Value(false)}, {"`Dodatki`"}},
    };
    auto db = DatabaseWriter::open(platform::realFileSystem(), file);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            db->appendRow("Dodatki", c.row);
            ADD_FAILURE() << "accepted";
        } catch (const RowRefused& e) {
            for (const auto& part : c.mentions)
                EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what() << " lacks " << part;
            EXPECT_EQ(e.table(), "Dodatki");
        }
    }
    db->close();
    EXPECT_EQ(testsupport::readFile(file), before);
    EXPECT_THROW(DatabaseWriter::open(platform::realFileSystem(), file)->appendRow("Brak", {}), jet::JetError);
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

TEST(Refusal, AnAppendThatFailsHalfWayLeavesTheFileReadable) {
    SKIP_WITHOUT_ORACLES();
    testsupport::TempDir dir;
    const std::string file = (dir.path() / "half.mdb").string();
    std::vector<Row> rows;
    {
        auto db = DatabaseWriter::create(platform::realFileSystem(), file);
        db->createTable(TableShape{"T", {{"ID", ColumnType::Int32, 0}, {"t", ColumnType::Text, 255}},
                                  PrimaryKeyShape{"Primary", "ID"}});
        for (std::int32_t i = 0; i < 30; ++i)
            db->appendRow("T", rows.emplace_back(Row{Value(i), Value::text(std::string(250, 'q'))}));
        db->close();
    }
    // The k-th read of a fresh session fails, at another point of the append each time;
    // the writer must put back whatever the append had changed, and go on afterwards.
    int failures = 0;
    for (int readsBeforeFailure = 0; readsBeforeFailure < 8; ++readsBeforeFailure) {
        auto source = std::make_unique<FailingSource>(jet::openFileSource(platform::realFileSystem(), file, jet::OpenMode::ReadWrite));
        FailingSource* failing = source.get();
        auto db = DatabaseWriter::openOn(std::move(source));
        const std::int32_t next = static_cast<std::int32_t>(rows.size());
        failing->readsLeft = readsBeforeFailure;
        try {
            db->appendRow("T", Row{Value(next), Value::text(std::string(250, 'x'))});
            rows.push_back(Row{Value(next), Value::text(std::string(250, 'x'))});
        } catch (const jet::JetError&) {
            ++failures;
        }
        failing->readsLeft = -1;
        db->appendRow("T", rows.emplace_back(Row{Value(next + 1000), Value::text("po błędzie")}));
        db->close();
    }
    EXPECT_GE(failures, 4);
    jetwritetest::expectReadersSee(file, "T", {"ID", "t"}, rows);
}

}  // namespace
