#include "journals/ErrorCatalogue.h"

#include <string_view>

#include <gtest/gtest.h>

#include "support/CaseTable.h"

using journals::ErrorGroup;
using journals::kNoLine;
using testing_support::CaseTable;

// ---- texts ----

// The text of a code, its group named first as the tables read.
using TextCases = CaseTable<std::string_view(ErrorGroup group, int code, int line)>;

std::string TextOf(ErrorGroup group, int code, int line) {
    return journals::ErrorText(code, group, line);
}

TEST(ErrorText, SampleOfEveryGroupWithAndWithoutLinePrefix) {
    const TextCases cases = {
        {ErrorGroup::Deklar, 1, kNoLine, "Непопълнен идентификационен номер в DEKLAR.TXT"},
        {ErrorGroup::Deklar, 31, 4, "Поле 01-33 не може да бъде по-голямо от 1.00"},  // no prefix
        {ErrorGroup::Deklar, 72, kNoLine,
         "Невалиден формат на файла vies.txt(vies.csv) - недопустими символи"},
        {ErrorGroup::Deklar, 77, kNoLine,
         "ВНИМАНИЕ! В дневник Продажби има условие за подаване на VIES декларация(Секция 'Общ "
         "оборот' и секция ВОД), но не е намерена такава."},
        {ErrorGroup::Purchases, 7, 3, "Покупки - Ред 3: Нарушена поредност"},
        {ErrorGroup::Purchases, 7, kNoLine, "Нарушена поредност"},
        {ErrorGroup::Purchases, 7, 0, "Покупки - Ред 0: Нарушена поредност"},
        {ErrorGroup::Purchases, 27, kNoLine, "Името на контрагента е празнo"},  // Latin "o"
        {ErrorGroup::Purchases, 28, kNoLine,
         "Непопълнено задължително поле ‘вид на стоката или услугата’"},
        {ErrorGroup::Purchases, 53, 12,
         "Покупки - Ред 12: За този вид документ датата не трябва да е по-ранна от 01.06.2023"},
        {ErrorGroup::Sales, 8, 2, "Продажби - Ред 2: Нарушена поредност"},
        {ErrorGroup::Sales, 76, kNoLine,
         "Неправилно деклариране на данни за вид на документ '....50/83'"},
        {ErrorGroup::Sales, 79, kNoLine,
         "За този вид документ датата не трябва да е по-ранна от 01.06.2023"},
        {ErrorGroup::ViesHeader, 1, 7, "Нарушена структура на ред 1 - VHR."},  // no prefix
        {ErrorGroup::ViesHeader, 31, kNoLine,
         "Невалиден формат на поле 'Данъчна основа общо'  в vies.txt."},
        {ErrorGroup::ViesRows, 2, 1,
         "VIES - Ред 1 на секция 'ВОД': Невалиден идентификационен номер"},
        {ErrorGroup::ViesRows, 8, kNoLine,
         "Невалидна стойност на поле 'Обща стойност на данъчната основа за доставени услуги по "
         "чл. 21, ал. 2 от ЗДДС с място на изпълнение на територията на друга държава членка'"},
        {ErrorGroup::ViesRows, 9, 2,
         "VIES - Ред 2 на секция 'Прехвърляне на стоки под режим ...': Невалиден Код на "
         "операцията по режим складиране на стоки до поискване"},
        {ErrorGroup::ViesRows, 18, kNoLine,
         "Невалиден ИН по ДДС на лицето, за което стоките са предназначени "},
    };
    cases.expectEachCall(TextOf);
}

TEST(ErrorText, RateTextsCarryTheirRate) {
    const TextCases cases = {
        {ErrorGroup::Purchases, 33, 1,
         "Покупки - Ред 1: Стойността на ДДС в поле 03-41 е различна от 20% от стойността на "
         "поле 03-31"},
        {ErrorGroup::Purchases, 34, kNoLine,
         "Стойността на ДДС в поле 03-42 е различна от 20% от стойността на поле 03-32"},
        {ErrorGroup::Sales, 43, kNoLine,
         "Стойността на ДДС в поле 02-21 е различна от 20% от стойността на поле 02-11"},
        {ErrorGroup::Sales, 44, 5,
         "Продажби - Ред 5: Стойността на ДДС в поле 02-22 е различна от 20% от стойността на "
         "полета 02-12 и 02-26"},
        {ErrorGroup::Sales, 45, kNoLine,
         "Стойността на ДДС в поле 02-24 е различна от 7/9% от стойността на поле 02-13"},
        {ErrorGroup::Sales, 51, kNoLine,
         "Стойността на ДДС в поле 02-24 е различна от 9% от стойността на поле 02-13"},
    };
    cases.expectEachCall(TextOf);
}

TEST(ErrorText, NegativeCellsOfSectionDNameTheirOwnCell) {
    const TextCases cases = {
        {ErrorGroup::Deklar, 73, kNoLine, "Стойността на поле 01-80 трябва да е >= 0"},
        {ErrorGroup::Deklar, 74, kNoLine, "Стойността на поле 01-81 трябва да е >= 0"},
        {ErrorGroup::Deklar, 75, kNoLine, "Стойността на поле 01-82 трябва да е >= 0"},
    };
    cases.expectEachCall(TextOf);
}

TEST(ErrorText, CodesWithoutTextGiveNoError) {
    const TextCases cases = {
        {ErrorGroup::Deklar, 71, kNoLine, "No error"},
        {ErrorGroup::Deklar, 79, kNoLine, "No error"},
        {ErrorGroup::Purchases, 9, 3, "No error"},
        {ErrorGroup::Purchases, 22, kNoLine, "No error"},
        {ErrorGroup::Purchases, 31, kNoLine, "No error"},
        {ErrorGroup::Purchases, 54, kNoLine, "No error"},
        {ErrorGroup::Sales, 32, 3, "No error"},
        {ErrorGroup::Sales, 80, kNoLine, "No error"},
        {ErrorGroup::ViesHeader, 33, kNoLine, "No error"},
        {ErrorGroup::ViesRows, 19, 1, "No error"},
        {ErrorGroup::Sales, 0, kNoLine, "No error"},
        {ErrorGroup::Sales, -5, kNoLine, "No error"},
    };
    cases.expectEachCall(TextOf);
}

TEST(ErrorText, EveryGroupHasItsFullListOfTexts) {
    // A lost or merged entry shows up as a missing count.
    const struct {
        ErrorGroup group;
        int texts;
    } groups[] = {{ErrorGroup::Deklar, 77},
                  {ErrorGroup::Purchases, 50},
                  {ErrorGroup::Sales, 78},
                  {ErrorGroup::ViesHeader, 32},
                  {ErrorGroup::ViesRows, 18}};
    for (const auto& g : groups) {
        int count = 0;
        for (int code = 1; code <= 96; ++code) {
            if (journals::ErrorText(code, g.group, kNoLine) != "No error") ++count;
        }
        EXPECT_EQ(count, g.texts) << static_cast<int>(g.group);
    }
}

// ---- fatal flags ----

TEST(IsFatal, BoundariesOfEachGroup) {
    const CaseTable<bool(ErrorGroup group, int code)> cases = {
        {ErrorGroup::Deklar, 0, false},     {ErrorGroup::Deklar, 1, true},
        {ErrorGroup::Deklar, 72, true},     {ErrorGroup::Deklar, 73, false},
        {ErrorGroup::Deklar, 78, false},    {ErrorGroup::Purchases, 1, true},
        {ErrorGroup::Purchases, 32, true},  {ErrorGroup::Purchases, 33, false},
        {ErrorGroup::Purchases, 50, false}, {ErrorGroup::Purchases, 51, true},
        {ErrorGroup::Purchases, 53, true},  {ErrorGroup::Purchases, 54, false},
        {ErrorGroup::Sales, 39, true},      {ErrorGroup::Sales, 40, false},
        {ErrorGroup::Sales, 70, false},     {ErrorGroup::Sales, 71, true},
        {ErrorGroup::Sales, 73, true},      {ErrorGroup::Sales, 74, false},
        {ErrorGroup::Sales, 78, false},     {ErrorGroup::Sales, 79, true},
        {ErrorGroup::Sales, 80, false},     {ErrorGroup::ViesHeader, 1, false},
        {ErrorGroup::ViesRows, 1, false},
    };
    cases.expectEachCall(journals::IsFatal);
}
