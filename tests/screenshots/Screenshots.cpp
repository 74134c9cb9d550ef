// The screenshots of docs/screenshots, made on a virtual screen (tools/screenshots
// runs this under xvfb-run): a month of documents of one registered person, the
// journals at the size they open with and maximised, the save dialog, the
// program's own viewer with a check report, and the main window on a first start.
//
//     zoreva-screenshots laptop|large FOLDER
//
// "laptop" expects a screen of 1366×768 and "large" one of 2560×1440.
#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/CZorevaDoc.h"
#include "db/Rows.h"
#include "files/SubmissionWriter.h"
#include "files/checker/CheckRun.h"
#include "journals/CPokupki.h"
#include "journals/CProdagbi.h"
#include "journals/JournalStore.h"
#include "platform/Files.h"
#include "qt/CMainFrame.h"
#include "qt/DialogView.h"
#include "qt/QtHost.h"
#include "qt/Translation.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kVin = "BG123456786";
constexpr const char* kPeriod = "202311";
const platform::LocalDateTime kToday{2023, 12, 8, 10, 0, 0};

db::PersonRow Person() {
    db::PersonRow p;
    p.bulstat = "123456786";
    p.vin = kVin;
    p.name = "Зорева Демо ООД";
    p.adress = "София, ул. Шипка 12";
    p.faceEgn = "7501010010";
    p.face = "Мария Петрова";
    p.phone = "029876543";
    p.faceGrad = "София";
    p.facePk = "1504";
    p.faceAdr1 = "ул. Шипка 12";
    p.flPredst = "A";
    p.last = true;
    return p;
}

struct Document {
    const char* type;
    const char* docNo;
    int day;
    const char* knum;
    const char* kname;
    const char* sdelka;
    double base, vat;
};

const Document kSales[] = {
    {"01", "0000000301", 1, "BG175074752", "Алфа Трейд ООД", "Консултантски услуги", 1500, 300},
    {"01", "0000000302", 3, "BG831826726", "Бета Енерджи АД", "Софтуерна поддръжка", 840, 168},
    {"01", "0000000303", 7, "BG200000002", "Телеком България ЕАД", "Разработка на модул", 6200,
     1240},
    {"01", "0000000304", 9, "BG131313139", "Офис Партнер ООД", "Абонамент", 120, 24},
    {"03", "0000000305", 10, "BG175074752", "Алфа Трейд ООД", "Отстъпка", -100, -20},
    {"01", "0000000306", 16, "BG111111113", "Горива Юг ООД", "Обучение", 950, 190},
    {"01", "0000000307", 20, "BG131313139", "Офис Партнер ООД", "Консултации", 500, 100},
    {"01", "0000000308", 23, "BG200000002", "Телеком България ЕАД", "Хостинг", 260, 52},
    {"01", "0000000309", 27, "BG831826726", "Бета Енерджи АД", "Лиценз", 1800, 360},
    {"01", "0000000310", 30, "BG175074752", "Алфа Трейд ООД", "Внедряване", 3100, 620},
};

const Document kPurchases[] = {
    {"01", "4400012391", 2, "BG200000002", "Телеком България ЕАД", "Телефон и интернет", 85, 17},
    {"01", "0000087711", 3, "BG111111113", "Горива Юг ООД", "Гориво", 240, 48},
    {"01", "2000001452", 6, "BG131313139", "Офис Партнер ООД", "Канцеларски материали", 64.5, 12.9},
    {"01", "0000000918", 8, "BG831826726", "Бета Енерджи АД", "Електроенергия", 310, 62},
    {"01", "0000045120", 14, "BG175074752", "Алфа Трейд ООД", "Компютърна техника", 2800, 560},
    {"02", "0000045121", 15, "BG175074752", "Алфа Трейд ООД", "Доставка", 40, 8},
    {"01", "0000087890", 17, "BG111111113", "Горива Юг ООД", "Гориво", 212.3, 42.46},
    {"01", "1100000754", 21, "BG200000002", "Телеком България ЕАД", "Облачни услуги", 450, 90},
    {"01", "0000000953", 24, "BG831826726", "Бета Енерджи АД", "Електроенергия", 295, 59},
    {"01", "2000001480", 28, "BG131313139", "Офис Партнер ООД", "Почистване", 180, 36},
};

void AddDocuments(db::Database& db, db::Journal journal, const Document (&documents)[10]) {
    for (const auto& d : documents) {
        auto row = db::EmptyJournalRow(journal);
        row.vin = kVin;
        row.period = kPeriod;
        row.type = d.type;
        row.docNo = d.docNo;
        char date[16];
        std::snprintf(date, sizeof date, "%02d/11/2023", d.day);
        row.date = date;
        row.knum = d.knum;
        row.kname = d.kname;
        row.sdelka = d.sdelka;
        row.dateCreate = "2023/12/01 09:30";
        if (journal == db::Journal::Sales) {
            row.amounts[0] = d.base;  // SS10, the total base
            row.amounts[1] = d.vat;   // SS20, all VAT
            row.amounts[2] = d.base;  // SS11, the base at 20 %
            row.amounts[3] = d.vat;   // SS21
        } else {
            row.amounts[1] = d.base;  // BS31, full credit
            row.amounts[2] = d.vat;   // BS41
        }
        journals::AddDocument(db, journal, row, journals::Numbering::Unknown);
    }
}

void Settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QTest::qWait(60);
    }
}

void Save(const QPixmap& picture, const fs::path& file) {
    if (!picture.save(QString::fromStdString(file.string())))
        std::fprintf(stderr, "could not write %s\n", file.c_str());
    else
        std::printf("%s\n", file.c_str());
}

QPixmap WholeScreen() {
    return QGuiApplication::primaryScreen()->grabWindow(0);
}

// A journal with the month typed into its period and one document selected:
// as it opens, grabbed with the whole screen, or spread over the screen.
template <class Journal>
void ShootJournal(app::CZorevaDoc& doc, qt::QtHost& host, bool maximised, const fs::path& file) {
    Journal dialog(host, doc.session());
    dialog.open();
    dialog.userEdit(static_cast<ui::Edit&>(*dialog.find("period")), kPeriod);
    dialog.userSelectRows(static_cast<ui::ListView&>(*dialog.find("list")), {6});
    qt::DialogView view(dialog, nullptr);
    if (maximised) view.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    view.show();
    if (!QTest::qWaitForWindowExposed(&view)) std::fprintf(stderr, "not shown: %s\n", file.c_str());
    Settle();
    Save(maximised ? view.grab() : WholeScreen(), file);
}

// Runs `show`, which opens a modal window, grabs that window and closes it.
template <class Show>
void ShootModal(const fs::path& file, Show&& show) {
    QTimer::singleShot(400, [file] {
        QWidget* window = QApplication::activeModalWidget();
        if (!window) return std::fprintf(stderr, "no window for %s\n", file.c_str()), void();
        Settle();
        Save(window->grab(), file);
        window->close();
        if (auto* dialog = qobject_cast<QDialog*>(window)) dialog->reject();
    });
    show();
}

void ShootLaptop(app::CZorevaDoc& doc, qt::QtHost& host, const fs::path& out,
                 const fs::path& work) {
    ShootJournal<journals::CPokupki>(doc, host, false, out / "journal-purchases-1366x768.png");
    ShootJournal<journals::CProdagbi>(doc, host, false, out / "journal-sales-1366x768.png");

    ShootModal(out / "save-dialog-bulgarian.png", [&] {
        ui::SaveFileRequest request{
            "Save file", work, "Deklar.txt", "txt", {{"Text file", "*.txt"}, {"All Files", "*.*"}}};
        host.saveFile(request);
    });

    // The files of the month, checked; the report in the program's own viewer.
    auto files = files::PeriodFiles::Submission(doc.session().database(),
                                                {kVin, "123456786", "", work}, kPeriod);
    const auto written = files.stopped() ? files::WriteResult{{}, {}, files.stopped()}
                                         : files.write(files.folder() / files.proposedName());
    if (written.stop)
        std::fprintf(stderr, "the writer stopped: %s\n", written.stop->message.c_str());
    files::checker::CheckState state;
    const auto report = files::checker::RunCheck(state, work / "123456786" / kPeriod,
                                                 files::checker::RunKind::Folder, kToday);
    platform::WriteFileAtomically(work / "Report.txt", report + '\x1A');
    host.setDesktopOpener([](const fs::path&, const char*) { return false; });
    ShootModal(out / "text-viewer-check-report.png",
               [&] { host.openTextFile(work / "Report.txt"); });
}

void ShootFirstStart(qt::QtHost& host, const fs::path& out) {
    testing_support::TestDatabase fresh;
    platform::FixedClock clock{kToday};
    app::CZorevaDoc doc(fresh.db(), clock, "/data", "/out");
    qt::CMainFrame frame({host, doc, "guide.txt", false});
    frame.show();
    if (!QTest::qWaitForWindowExposed(&frame)) std::fprintf(stderr, "main window not shown\n");
    Settle();
    Save(frame.grab(), out / "main-window-first-start.png");
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3 || (std::strcmp(argv[1], "laptop") != 0 && std::strcmp(argv[1], "large") != 0)) {
        std::fprintf(stderr, "usage: zoreva-screenshots laptop|large FOLDER\n");
        return 2;
    }
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    qt::LoadBulgarianTranslation(application);
    const fs::path out = argv[2];
    const bool laptop = std::strcmp(argv[1], "laptop") == 0;

    testing_support::TempDir work;
    testing_support::TestDatabase t;
    db::InsertPerson(t.db(), Person());
    AddDocuments(t.db(), db::Journal::Sales, kSales);
    AddDocuments(t.db(), db::Journal::Purchases, kPurchases);
    platform::FixedClock clock{kToday};
    app::CZorevaDoc doc(t.db(), clock, "/data", work.path());
    qt::QtHost host;

    if (laptop) {
        ShootLaptop(doc, host, out, work.path());
        ShootFirstStart(host, out);
    } else {
        ShootJournal<journals::CPokupki>(doc, host, true, out / "journal-purchases-maximised.png");
        ShootJournal<journals::CProdagbi>(doc, host, true, out / "journal-sales-maximised.png");
    }
    return 0;
}
