#pragma once
// A registered person with a session, the scripted host, and helpers that
// type a document into a journal screen as an accountant does.

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "db/Rows.h"
#include "platform/Clock.h"
#include "session/Session.h"
#include "support/DialogDriver.h"
#include "support/ScriptedHost.h"
#include "support/TestDatabase.h"

namespace journals_test {

using testing_support::DialogDriver;
using testing_support::ScriptedHost;

inline const std::string kVin = "BG175074752";
inline const std::string kBulstat = "175074752";

// A document as typed: empty texts are left alone.
struct Typed {
    std::string type, docNo = "1", date, knum, kname, sdelka = "Стоки";
    std::map<int, std::string> money;  // journal column -> text
    std::string code8a;
};

// The error codes of each stored document, in order of entry.
using StoredCodes = std::vector<std::vector<int>>;

class JournalFixture : public ::testing::Test {
  protected:
    // The head office (klon "") or a branch of the person is current.
    session::Session& session(const std::string& klon = "") {
        if (!db::FindPerson(t.db(), kBulstat, "")) t.person(kBulstat, "", kVin, klon.empty());
        if (!klon.empty() && !db::FindPerson(t.db(), kBulstat, klon))
            t.person(kBulstat, klon, kVin);
        db::MakeCurrent(t.db(), kBulstat, klon);
        current = std::make_unique<session::Session>(t.db(), clock, "/data", "/out");
        return *current;
    }

    // Types the document into an open journal screen with its period entered.
    static void type(DialogDriver& d, const Typed& document) {
        d.choose("type", document.type);
        if (!document.docNo.empty()) d.type("docNo", document.docNo);
        if (!document.date.empty()) d.pickDate("date", document.date);
        if (!document.knum.empty()) d.type("knum", document.knum).leave();
        if (!document.kname.empty()) d.type("kname", document.kname);
        if (!document.sdelka.empty()) d.type("sdelka", document.sdelka);
        if (!document.code8a.empty()) d.choose("code8a", document.code8a);
        for (const auto& [column, text] : document.money)
            d.type("col" + std::to_string(column), text).leave();
    }

    std::vector<db::JournalRow> rows(db::Journal journal) {
        std::vector<db::JournalRow> all;
        auto s =
            t.db().query(std::string("SELECT * FROM ") + db::TableName(journal) + " ORDER BY ID");
        while (s.step()) all.push_back(db::JournalRow::read(journal, s));
        return all;
    }

    testing_support::TestDatabase t;
    platform::FixedClock clock{{2024, 3, 15, 9, 30, 0}};
    ScriptedHost host;
    std::unique_ptr<session::Session> current;
};

// A journal screen (CPokupki or CProdagbi) of the current session, opened on
// a period and driven through its dialog driver.
template <class Screen, db::Journal kJournal>
class JournalScreenFixture : public JournalFixture {
  protected:
    // The journal opened on the period; "" leaves the period to be typed.
    Screen& open(const std::string& period = "202311") {
        screen = std::make_unique<Screen>(host, current ? *current : session());
        driver = std::make_unique<DialogDriver>(*screen);
        if (!period.empty()) driver->type("period", period);
        return *screen;
    }
    DialogDriver& d() { return *driver; }

    // Presses "save", the host giving the answers to the questions in turn.
    void saveAnswering(std::initializer_list<ui::Answer> answers) {
        for (const ui::Answer answer : answers) host.answer(answer);
        d().press("save");
    }

    // The question a save asks about a value it doubts: Yes returns to the
    // field, No stores the document with the doubt's code.
    void expectDoubt(const std::string& question,
                     ScriptedHost::Where where = ScriptedHost::Where::current()) {
        host.expectQuestion(question, ui::Buttons::YesNo, ui::Icon::Error, where);
    }
    void expectDeleteQuestion(ScriptedHost::Where where = ScriptedHost::Where::current()) {
        host.expectQuestion("Потвърждавате ли изтриването на записа?", ui::Buttons::YesNo,
                            ui::Icon::Warning, where);
    }

    // The codes each document of the journal carries, in order of entry.
    StoredCodes storedCodes() {
        StoredCodes codes;
        for (const auto& row : rows(kJournal)) codes.push_back(row.errors.codes());
        return codes;
    }

    std::unique_ptr<Screen> screen;
    std::unique_ptr<DialogDriver> driver;
};

}  // namespace journals_test
