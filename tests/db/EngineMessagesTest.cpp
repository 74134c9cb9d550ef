// The engine's common failures reach the user as a Bulgarian sentence saying
// what to do, followed by the engine's own words; on a full disk documents
// can still be deleted.
#include <sqlcipher/sqlite3.h>

#include <cstring>
#include <fstream>
#include <type_traits>

#include <gtest/gtest.h>

#include "db/Database.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

using testing_support::TempDir;
using testing_support::TestDatabase;

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A disk with no free space left: no write may make a file longer, while
// writes into space a file already has succeed, as on a real full disk.
class FullDisk {
  public:
    FullDisk() {
        base_ = sqlite3_vfs_find(nullptr);
        vfs_ = *base_;
        vfs_.zName = "full-disk";
        vfs_.szOsFile = static_cast<int>(sizeof(File)) + base_->szOsFile;
        vfs_.pAppData = this;
        vfs_.xOpen = &FullDisk::Open;
        sqlite3_vfs_register(&vfs_, 1);
    }
    ~FullDisk() {
        sqlite3_vfs_unregister(&vfs_);
        sqlite3_vfs_register(base_, 1);
    }
    void fill() { full_ = true; }

  private:
    struct File {
        sqlite3_file base;
        FullDisk* disk;
        sqlite3_file* real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
    };

    static File* Of(sqlite3_file* f) { return reinterpret_cast<File*>(f); }

    // The method `Member` of the wrapper: the same method of the real file.
    template <typename Method>
    struct Forwarder;
    template <typename... Args>
    struct Forwarder<int (*)(sqlite3_file*, Args...)> {
        template <auto Member>
        static int To(sqlite3_file* g, Args... args) {
            sqlite3_file* real = Of(g)->real();
            return (real->pMethods->*Member)(real, args...);
        }
    };
    template <auto Member>
    static void Forward(sqlite3_io_methods& methods) {
        using Method = std::remove_reference_t<decltype(methods.*Member)>;
        methods.*Member = &Forwarder<Method>::template To<Member>;
    }

    static int Open(sqlite3_vfs* vfs, const char* name, sqlite3_file* f, int flags, int* out) {
        auto* disk = static_cast<FullDisk*>(vfs->pAppData);
        auto* file = Of(f);
        file->disk = disk;
        const int rc = disk->base_->xOpen(disk->base_, name, file->real(), flags, out);
        if (rc != SQLITE_OK) {
            file->base.pMethods = nullptr;
            return rc;
        }
        // Every call on the wrapper goes to the real file; writes are judged first.
        disk->methods_ = *file->real()->pMethods;
        Forward<&sqlite3_io_methods::xClose>(disk->methods_);
        Forward<&sqlite3_io_methods::xRead>(disk->methods_);
        disk->methods_.xWrite = &FullDisk::Write;
        Forward<&sqlite3_io_methods::xTruncate>(disk->methods_);
        Forward<&sqlite3_io_methods::xSync>(disk->methods_);
        Forward<&sqlite3_io_methods::xFileSize>(disk->methods_);
        Forward<&sqlite3_io_methods::xLock>(disk->methods_);
        Forward<&sqlite3_io_methods::xUnlock>(disk->methods_);
        Forward<&sqlite3_io_methods::xCheckReservedLock>(disk->methods_);
        Forward<&sqlite3_io_methods::xFileControl>(disk->methods_);
        Forward<&sqlite3_io_methods::xSectorSize>(disk->methods_);
        Forward<&sqlite3_io_methods::xDeviceCharacteristics>(disk->methods_);
        disk->methods_.iVersion = 1;  // no shared memory: the log is kept under the exclusive lock
        file->base.pMethods = &disk->methods_;
        return rc;
    }

    static int Write(sqlite3_file* g, const void* bytes, int n, sqlite3_int64 offset) {
        auto* file = Of(g);
        if (file->disk->full_) {
            sqlite3_int64 size = 0;
            file->real()->pMethods->xFileSize(file->real(), &size);
            if (offset + n > size) return SQLITE_FULL;
        }
        return file->real()->pMethods->xWrite(file->real(), bytes, n, offset);
    }

    sqlite3_vfs* base_;
    sqlite3_vfs vfs_;
    sqlite3_io_methods methods_{};
    bool full_ = false;
};

// Counterparts of long names, which fill pages fast.
void AddCounterparts(db::Database& db, int first, int count) {
    testing_support::AddCounterparts(db, first, count, std::string(200, 'x'));
}

std::int64_t Counterparts(db::Database& db) {
    return testing_support::RowCount(db, "KONTRAG");
}

}  // namespace

TEST(EngineMessages, EachCommonFailureSaysInBulgarianWhatToDoAndKeepsTheEngineWords) {
    struct Case {
        int code;
        const char* engineWords;
        const char* sentence;
    };
    const Case cases[] = {
        {SQLITE_FULL, "database or disk is full", "Дискът е пълен"},
        {SQLITE_READONLY, "attempt to write a readonly database", "само за четене"},
        {SQLITE_IOERR, "disk I/O error", "Грешка при четене или запис на диска"},
        {SQLITE_IOERR_WRITE, "disk I/O error", "Грешка при четене или запис на диска"},
        {SQLITE_BUSY, "database is locked", "зает"},
        {SQLITE_LOCKED, "database table is locked", "зает"},
        {SQLITE_CORRUPT, "database disk image is malformed", "повреден"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.engineWords);
        const std::string text = db::Error::fromEngine(c.code, c.engineWords).what();
        EXPECT_TRUE(Contains(text, c.sentence)) << text;
        // The engine's words follow the sentence, for whoever supports the user.
        EXPECT_GT(text.find(c.engineWords), text.find(c.sentence)) << text;
    }
    // Other failures keep the engine's words alone, and the code either way.
    EXPECT_STREQ(db::Error::fromEngine(SQLITE_ERROR, "no such table: X").what(),
                 "no such table: X");
    EXPECT_EQ(db::Error::fromEngine(SQLITE_IOERR_WRITE, "disk I/O error").code, SQLITE_IOERR_WRITE);
}

TEST(EngineMessages, RealFailuresArriveWithTheirSentence) {
    TempDir dir;
    db::Database::create(dir / "ZORV.MDB");
    {
        auto held = db::Database::open(dir / "ZORV.MDB");
        try {
            db::Database::open(dir / "ZORV.MDB");
            ADD_FAILURE() << "a held file opened twice";
        } catch (const db::Error& e) {
            EXPECT_TRUE(Contains(e.what(), "зает")) << e.what();
        }
    }
    {
        auto reading =
            db::Database::open(dir / "ZORV.MDB", db::BuiltInLocks(), db::Access::ReadOnly);
        try {
            reading.execute("DELETE FROM KONTRAG");
            ADD_FAILURE() << "a read-only connection wrote";
        } catch (const db::Error& e) {
            EXPECT_TRUE(Contains(e.what(), "само за четене")) << e.what();
        }
    }
    {
        auto db = db::Database::open(dir / "ZORV.MDB");
        AddCounterparts(db, 0, 2000);
    }
    // Bytes in the middle of the last pages, which the counterparts filled,
    // damaged: those pages no longer match their authentication codes.
    {
        const auto pages = static_cast<long>(std::filesystem::file_size(dir / "ZORV.MDB") / 4096);
        std::fstream file(dir / "ZORV.MDB", std::ios::in | std::ios::out | std::ios::binary);
        for (long page = pages - 16; page < pages; ++page) {
            file.seekp(4096 * page + 100);
            file.write(std::string(64, '\x5a').data(), 64);
        }
    }
    try {
        auto db = db::Database::open(dir / "ZORV.MDB");
        db.query("SELECT count(*) FROM KONTRAG WHERE KI LIKE '%9'").run();
        ADD_FAILURE() << "a damaged file read whole";
    } catch (const db::Error& e) {
        EXPECT_TRUE(Contains(e.what(), "повреден")) << e.what();
    }
}

TEST(EngineMessages, OnAFullDiskDocumentsCanStillBeDeletedWhileSavesFailWithTheSentence) {
    FullDisk disk;
    TestDatabase t;
    auto& db = t.db();
    AddCounterparts(db, 0, 3000);
    disk.fill();

    // Deleting works: the log keeps room of its own and the file never grows
    // by a deletion.
    for (int first = 0; first < 3000; first += 300) {
        db::Transaction unit(db);
        db.execute("DELETE FROM KONTRAG WHERE CAST(KN AS INTEGER) - 100000000 BETWEEN ? AND ?",
                   first, first + 299);
        unit.commit();
    }
    EXPECT_EQ(Counterparts(db), 0);

    // Saving fails once the room is used up, with the sentence and nothing half-stored.
    try {
        for (int round = 0; round < 100; ++round) AddCounterparts(db, round * 1000, 1000);
        ADD_FAILURE() << "a full disk took every save";
    } catch (const db::Error& e) {
        EXPECT_TRUE(Contains(e.what(), "Дискът е пълен")) << e.what();
        EXPECT_TRUE(Contains(e.what(), "database or disk is full")) << e.what();
    }
    EXPECT_EQ(Counterparts(db) % 1000, 0);
}
