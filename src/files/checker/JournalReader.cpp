#include "files/checker/JournalReader.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <functional>
#include <future>
#include <mutex>
#include <system_error>

#include "files/checker/CheckText.h"
#include "files/checker/Readers.h"

namespace files::checker {
namespace {

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// The first place from `from` on where a line starts for any reader: after
// a run of CR and LF, at a character that is none of them and no Ctrl-Z;
// the size of the text when there is none.
std::size_t LineStartFrom(std::string_view text, std::size_t from) {
    for (std::size_t i = from; i < text.size();) {
        const std::size_t end = text.find_first_of("\r\n", i);
        if (end == std::string_view::npos) return text.size();
        std::size_t after = end;
        while (after < text.size() && IsLineEnd(text[after])) ++after;
        if (after < text.size() && text[after] != '\x1A') return after;
        i = after + 1;
    }
    return text.size();
}

// A piece of work of about `size` bytes.
struct Task {
    std::size_t size = 0;
    std::function<void()> run;
};

// Runs every task once, the largest first, on the calling thread and (with
// two threads) one more, each taking the next task not yet taken. The first
// exception is rethrown once all have ended. Should no thread be had, the
// calling thread runs them all.
void RunTasks(std::vector<Task>& tasks, std::size_t threads) {
    std::stable_sort(tasks.begin(), tasks.end(),
                     [](const Task& a, const Task& b) { return a.size > b.size; });
    std::atomic<std::size_t> next{0};
    std::mutex failureMutex;
    std::exception_ptr failure;
    const auto work = [&] {
        for (std::size_t i = next++; i < tasks.size(); i = next++) {
            try {
                tasks[i].run();
            } catch (...) {
                const std::lock_guard lock(failureMutex);
                if (!failure) failure = std::current_exception();
            }
        }
    };
    std::future<void> helper;
    if (threads > 1 && tasks.size() > 1) {
        try {
            helper = std::async(std::launch::async, work);
        } catch (const std::system_error&) {
        }
    }
    work();
    if (helper.valid()) helper.get();
    if (failure) std::rethrow_exception(failure);
}

// What the common reading steps found in one journal text.
struct JournalTaken {
    int result = kFileNotOpened;
    bool clean = true;
    std::vector<TextPart> parts;
    std::vector<TextScan> scans;  // one per part
};

// The scans of the parts as one scan of the whole text.
TextScan JoinScans(const std::vector<TextPart>& parts, const std::vector<TextScan>& scans,
                   std::size_t size) {
    TextScan whole{true, size};
    for (std::size_t p = 0; p < parts.size(); ++p) {
        whole.permitted = whole.permitted && scans[p].permitted;
        if (scans[p].firstNonAscii < parts[p].end - parts[p].begin)
            whole.firstNonAscii =
                std::min(whole.firstNonAscii, parts[p].begin + scans[p].firstNonAscii);
    }
    return whole;
}

}  // namespace

bool HasReturnToCompare(const CheckState& s) {
    return !s.returnErrors.has(kDeklarNotOpenedCode);
}

void TakeIdentityFromFirstLine(CheckState& s, std::string_view text) {
    std::string_view first;
    if (!s.returnData[kVin].empty() || !LineReader(text).next(first)) return;
    s.returnData[kVin] = RightTrim(Cut(first, kJournalLeadLayout[kLineVin].column));
    s.returnData[kPeriod] = RightTrim(Cut(first, kJournalLeadLayout[kLinePeriod].column));
}

std::vector<TextPart> CutAtLineStarts(std::string_view text, std::size_t count) {
    std::vector<TextPart> parts;
    std::size_t begin = 0;
    for (std::size_t k = 1; k < count; ++k) {
        const std::size_t target = text.size() / count * k;
        if (target <= begin) continue;
        const std::size_t cut = LineStartFrom(text, target);
        if (cut >= text.size()) break;
        parts.push_back({begin, cut});
        begin = cut;
    }
    parts.push_back({begin, text.size()});
    return parts;
}

std::vector<int> CheckJournals(CheckState& s, std::span<JournalInput> journals, bool oem,
                               std::size_t threads) {
    std::vector<JournalTaken> taken(journals.size());
    std::vector<Task> tasks;
    // The texts: signatures, then the characters and lines of each part.
    for (std::size_t j = 0; j < journals.size(); ++j) {
        JournalCheck& check = journals[j].check;
        JournalTaken& t = taken[j];
        check.clear(s);
        t.result = TakeText(std::move(journals[j].text), oem, check.text(s));
        if (t.result == kFileNotOpened) s.returnErrors.set(check.kind().notOpenedCode);
        if (t.result != kFileRead) continue;
        const std::string_view text = check.text(s).view();
        t.parts = CutAtLineStarts(text, threads);
        t.scans.resize(t.parts.size());
        for (std::size_t p = 0; p < t.parts.size(); ++p) {
            tasks.push_back({t.parts[p].end - t.parts[p].begin, [&t, p, text] {
                                 const std::string_view bytes = t.parts[p].of(text);
                                 t.scans[p] = ScanText(bytes);
                                 t.parts[p].lines = CountLines(bytes);
                             }});
        }
    }
    RunTasks(tasks, threads);
    for (std::size_t j = 0; j < journals.size(); ++j) {
        JournalCheck& check = journals[j].check;
        JournalTaken& t = taken[j];
        if (t.result != kFileRead) continue;
        const std::string_view text = check.text(s).view();
        const TextScan scan = JoinScans(t.parts, t.scans, text.size());
        t.result = ResultOfScan(text, scan);
        if (t.result != kFileRead) continue;
        t.clean = scan.permitted;
        if (!t.clean) s.returnErrors.set(check.kind().fileCharacterCode);
        std::size_t records = 0;
        for (TextPart& part : t.parts) {
            part.firstRecord = records;
            records += part.lines;
        }
        check.records(s).assign(records, LineRecord{});
        // Without a return, the first journal line read gives its identity,
        // which the other journal's rules then compare with.
        TakeIdentityFromFirstLine(s, text);
    }

    // The lines of every part; the parts write apart.
    tasks.clear();
    for (std::size_t j = 0; j < journals.size(); ++j) {
        JournalCheck& check = journals[j].check;
        const JournalTaken& t = taken[j];
        if (t.result != kFileRead) continue;
        check.start(t.parts.size());
        const std::span<LineRecord> records(check.records(s));
        for (std::size_t p = 0; p < t.parts.size(); ++p) {
            const TextPart& part = t.parts[p];
            tasks.push_back({part.end - part.begin, [&s, &check, &t, p, records] {
                                 const TextPart& part = t.parts[p];
                                 check.checkPart(s, p, part, t.clean,
                                                 records.subspan(part.firstRecord, part.lines));
                             }});
        }
    }
    RunTasks(tasks, threads);
    db::ErrorSet returnCodes;
    for (std::size_t j = 0; j < journals.size(); ++j)
        if (taken[j].result == kFileRead) journals[j].check.finish(s, returnCodes);
    s.returnErrors.merge(returnCodes);

    std::vector<int> results;
    for (const JournalTaken& t : taken) results.push_back(t.result);
    return results;
}

int CheckPokupkiFile(CheckState& s, std::optional<FileText> text, bool oem) {
    const auto check = MakePurchaseCheck();
    JournalInput input[] = {{*check, std::move(text)}};
    return CheckJournals(s, input, oem, 1).front();
}

int CheckProdagbiFile(CheckState& s, std::optional<FileText> text, bool oem) {
    const auto check = MakeSalesCheck();
    JournalInput input[] = {{*check, std::move(text)}};
    return CheckJournals(s, input, oem, 1).front();
}

JournalResults CheckJournalFiles(CheckState& s, std::optional<FileText> purchases,
                                 std::optional<FileText> sales, bool oem) {
    const auto purchaseCheck = MakePurchaseCheck();
    const auto salesCheck = MakeSalesCheck();
    JournalInput inputs[] = {{*purchaseCheck, std::move(purchases)},
                             {*salesCheck, std::move(sales)}};
    const std::vector<int> results = CheckJournals(s, inputs, oem, 2);
    return {results[0], results[1]};
}

}  // namespace files::checker
