// The registered-person form: the identification check as the focus enters
// the name, address, telephone and postcode; the acceptance tests in their
// order; the two modes; the values read back.
#include "persons/CAddEmployer.h"

#include <optional>

#include <gtest/gtest.h>

#include "PersonsFixture.h"
#include "support/DialogDriver.h"

using persons::CAddEmployer;
using testing_support::DialogDriver;

namespace {

db::PersonRow ValidPerson() {
    db::PersonRow p;
    p.bulstat = "123456786";
    p.vin = "BG123456786";
    p.name = "Зорница ООД";
    p.adress = "гр. София, ул. Оборище 12";
    p.bPost = "Управител";
    p.bName = "Иван Петров";
    p.faceEgn = "7501011232";
    p.face = "Иван Петров";
    p.phone = "02 987 65 43";
    p.face1 = "Иван";
    p.face2 = "Георгиев";
    p.face3 = "Петров";
    p.faceGrad = "София";
    p.facePk = "1000";
    p.faceAdr1 = "ул. Оборище 12";
    p.flPredst = "R";
    return p;
}

// n Cyrillic letters: two bytes each, so a limit counted in bytes would fail.
std::string Letters(std::size_t n) {
    std::string text;
    for (std::size_t i = 0; i < n; ++i) text += "Ж";
    return text;
}

class CAddEmployerTest : public ::testing::Test, protected persons_test::Fixture {
  protected:
    DialogDriver& open(const db::PersonRow& person = {},
                       CAddEmployer::Mode mode = CAddEmployer::Mode::Adding) {
        form.fill(person, mode);
        driver.emplace(form);
        return *driver;
    }

    CAddEmployer form{db, host};
    std::optional<DialogDriver> driver;
};

}  // namespace

TEST_F(CAddEmployerTest, AddingStartsEmptyWithTheRepresentativeAndEnterMovesOn) {
    auto& d = open();
    EXPECT_EQ(d.title(), "Данни за задълженото лице");
    EXPECT_EQ(d.focused(), "bulstat");
    EXPECT_EQ(d.items("capacity"), (persons_test::Cells{"Представляващ", "Пълномощник"}));
    EXPECT_EQ(d.text("capacity"), "Представляващ");
    EXPECT_EQ(d.text("name"), "");

    d.type("bulstat", "BG 123-456-786");
    EXPECT_EQ(d.text("bulstat"), "123456786") << "digits only";
    d.enter();
    EXPECT_EQ(d.focused(), "klon");
    d.enter().enter();
    EXPECT_EQ(d.focused(), "name");
    d.focus("cancel").enter();
    EXPECT_EQ(d.result(), ui::Result::Cancel);
}

TEST_F(CAddEmployerTest, TheIdentificationIsCheckedAsTheFocusEntersFourFields) {
    t.person("831015008", "", "BG831015008");
    struct Case {
        const char* bulstat;
        const char* klon;
        std::vector<std::string> messages;
        const char* focus;  // where the focus goes back to
    };
    const Case cases[] = {
        {"", "", {}, nullptr},
        {"123456786", "", {}, nullptr},
        {"7501011232", "", {}, nullptr},  // ten digits are taken as they are
        {"123456787", "", {"Грешен ИН на регистрираното лице"}, "bulstat"},
        {"12345678", "", {"ИН на регистрираното лице трябва да бъде 9 или 10 разряден"}, "bulstat"},
        {"12345678601",
         "",
         {"ИН на регистрираното лице трябва да бъде 9 или 10 разряден"},
         "bulstat"},
        {"123456786", "0001", {}, nullptr},
        {"123456786", "01", {"Клона на регистрираното лице трябва да бъде 4 разряден"}, "klon"},
        {"123456786", "0002", {"Грешен клон на регистрираното лице"}, "klon"},
        {"7501011232",
         "0001",
         {"Некоректна дължина в Полето за Булстат", "Грешен клон на регистрираното лице"},
         "klon"},
        {"831015008", "", {"Вече има фирма с такова ИН+клон на регистрираното лице"}, "bulstat"},
    };
    for (const char* field : {"name", "adress", "phone", "facePk"}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(field) + ": " + c.bulstat + "+" + c.klon);
            auto& d = open();
            d.type("bulstat", c.bulstat).type("klon", c.klon).focus(field);
            for (const auto& message : c.messages) host.expectError(message);
            host.expectNoMoreBoxes();
            EXPECT_EQ(d.focused(), c.focus ? c.focus : field);
            d.escape();
        }
    }
}

TEST_F(CAddEmployerTest, OtherFieldsDoNotCheckTheIdentification) {
    auto& d = open();
    d.type("bulstat", "123").focus("vin").focus("bPost").focus("faceEgn").focus("faceGrad");
    host.expectNoMoreBoxes();
}

TEST_F(CAddEmployerTest, SaveReportsTheFirstFailingTestInOrderWithTheFocusOnItsField) {
    db::PersonRow p;
    p.adress = Letters(51);
    p.bPost = Letters(36);
    p.bName = Letters(40);
    p.face = Letters(51);
    p.faceEgn = "123";
    p.face1 = Letters(51);
    p.face2 = Letters(51);
    p.face3 = Letters(51);
    p.faceGrad = Letters(51);
    p.facePk = "12345";
    p.faceAdr1 = Letters(51);
    p.phone = Letters(21);
    auto& d = open(p);

    struct Step {
        const char* message;
        const char* field;
        std::string mended;  // what the person types then
    };
    const Step steps[] = {
        {"ИН на регистрираното лице трябва да бъде 9 или 10", "bulstat", "123456786"},
        {"VIN трябва да бъде BG + 9 или 10", "vin", "DE123456786"},
        {"VIN трябва да започва с BG", "vin", "BG123456787"},
        {"VIN трябва да съвпада с BG + ИН на регистрираното лице", "vin", "BG123456786"},
        {"Полето 'Наименование' трябва да е попълнено", "name", Letters(51)},
        {"Полето 'Наименование' не може да е по-дълго от 50 символа", "name", Letters(50)},
        {"Полето 'Адрес на кореспонденция' не може да е по-дълго от 50 символа", "adress", ""},
        {"Полето 'Длъжност за СД ЗДДС' не може да е по-дълго от 35 символа", "bPost", Letters(35)},
        {"Полето 'Представляващ за СД ЗДДС' не може да е по-дълго от 39 символа", "bName",
         Letters(39)},
        {"Полето 'Име на ДЗЛ(кратко)' не може да е по-дълго от 50 символа", "face", Letters(50)},
        {"Полето 'ЕГН/ЛНЧ/Сл....' трябва да е 10 символа", "faceEgn", "7501011232"},
        {"Полето 'Име' не може да е по-дълго от 50 символа", "face1", Letters(50)},
        {"Полето 'Презиме' не може да е по-дълго от 50 символа", "face2", Letters(50)},
        {"Полето 'Фамилия' не може да е по-дълго от 50 символа", "face3", Letters(50)},
        {"Полето 'Населено място' не може да е по-дълго от 50 символа", "faceGrad", ""},
        {"Полето 'ПКОД' не може да е по-дълго от 4 цифри", "facePk", "123"},
        {"Полето 'Адрес' не може да е по-дълго от 50 символа", "faceAdr1", Letters(50)},
        {"Полето 'Населено място' трябва да е попълнено", "faceGrad", Letters(50)},
        {"Не сте попълнили пощенски код", "facePk", "1000"},
        {"Полето 'Адрес ...' трябва да е попълнено", "adress", Letters(50)},
        {"'Телефона' не може да е по-дълъг от 20 символа", "phone", Letters(20)},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.message);
        d.press("Запиши");
        host.expectError(step.message);
        host.expectNoMoreBoxes();
        ASSERT_TRUE(d.isOpen());
        EXPECT_EQ(d.focused(), step.field);
        d.type(step.field, step.mended);
    }
    d.press("Запиши");
    host.expectNoMoreBoxes();
    EXPECT_EQ(d.result(), ui::Result::Ok);
    const auto saved = form.valuesOver({});
    EXPECT_EQ(saved.bulstat, "123456786");
    EXPECT_EQ(saved.name, Letters(50));
    EXPECT_EQ(saved.phone, Letters(20));
}

TEST_F(CAddEmployerTest, TheVatNumberOfANaturalPersonIsBoundOnlyAtTwelveCharacters) {
    struct Case {
        const char* bulstat;
        const char* vin;
        bool accepted;
    };
    const Case cases[] = {
        {"7501011232", "BG7501011232", true}, {"7501011232", "BG7501011233", false},
        {"7501011232", "BG123456786", true},  // another length: only "BG" is required
        {"123456786", "BG123456786", true},   {"123456786", "BG1234567860", false},
        {"123456786", "BG12345678", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.bulstat) + " " + c.vin);
        auto person = ValidPerson();
        person.bulstat = c.bulstat;
        person.vin = c.vin;
        auto& d = open(person);
        d.press("Запиши");
        if (c.accepted) {
            host.expectNoMoreBoxes();
            EXPECT_EQ(d.result(), ui::Result::Ok);
        } else {
            host.expectError("VIN трябва да съвпада с BG + ИН на регистрираното лице");
            EXPECT_EQ(d.focused(), "vin");
            d.escape();
        }
    }
}

TEST_F(CAddEmployerTest, SaveChecksTheIdentificationThoughTheFocusNeverEnteredTheFourFields) {
    t.person("123456786", "", "BG123456786");
    auto person = ValidPerson();
    person.bulstat = "";
    person.vin = "";
    auto& d = open(person);
    d.type("bulstat", "123456787").type("vin", "BG123456787").press("Запиши");
    host.expectError("Грешен ИН на регистрираното лице");
    EXPECT_EQ(d.focused(), "bulstat");

    d.type("bulstat", "123456786").type("vin", "BG123456786").press("Запиши");
    host.expectError("Вече има фирма с такова ИН+клон на регистрираното лице");
    EXPECT_TRUE(d.isOpen());
}

TEST_F(CAddEmployerTest, EditingFixesTheKeyAndRaisesNoDuplicateMessage) {
    auto stored = ValidPerson();
    stored.klon = "0001";
    stored.flPredst = "A";
    stored.faceAdr2 = "от старата база";
    stored.last = true;
    db::InsertPerson(db, stored);
    auto& d = open(stored, CAddEmployer::Mode::Editing);

    EXPECT_FALSE(d.enabled("bulstat"));
    EXPECT_FALSE(d.enabled("klon"));
    EXPECT_EQ(d.focused(), "vin");
    EXPECT_EQ(d.text("capacity"), "Пълномощник");
    d.type("name", "Зорница-2 ООД").focus("phone").focus("facePk");
    host.expectNoMoreBoxes();
    d.choose("capacity", "Представляващ").press("Запиши");
    host.expectNoMoreBoxes();
    EXPECT_EQ(d.result(), ui::Result::Ok);

    const auto edited = form.valuesOver(stored);
    EXPECT_EQ(edited.name, "Зорница-2 ООД");
    EXPECT_EQ(edited.flPredst, "R");
    EXPECT_EQ(edited.klon, "0001");
    EXPECT_EQ(edited.faceAdr2, "от старата база") << "columns the form does not show stay";
    EXPECT_TRUE(edited.last);
}

TEST_F(CAddEmployerTest, EditingARowWithAnOldWrongNumberDoesNotTrapThePerson) {
    auto stored = ValidPerson();
    stored.bulstat = "123456787";
    stored.vin = "BG123456787";
    auto& d = open(stored, CAddEmployer::Mode::Editing);
    d.focus("name").focus("adress").press("Запиши");
    host.expectNoMoreBoxes();
    EXPECT_EQ(d.result(), ui::Result::Ok);
}
