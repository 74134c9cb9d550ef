#pragma once
// The identifier checks that every form and the file checker share: the
// EIK/Bulstat number, the personal number (EGN, LNCh, service number), the
// member-state prefix of a foreign VAT number in a tax period, and the
// normalising of a typed money amount. Stateless; nothing here throws for bad
// input.
//
// Messages: the EIK and personal-number checks can tell the user why a text
// was refused. They take a `ui::Host*`: with a host they show each refusal as
// an error box on it before returning; with nullptr they are silent. A wrong
// check digit is refused without a message in both modes, so that the caller
// can report it in its own words.

#include <string>
#include <string_view>

namespace ui {
class Host;
}

namespace persons {

// A 9- or 13-digit EIK/Bulstat number; leading and trailing white space is
// ignored.
bool IsValidEik(std::string_view text, ui::Host* host);

enum class PersonalNumber { Invalid = 0, Egn = 1, Lnch = 2, ServiceNumber = 3 };

// A 10-digit EGN (with a valid birth date), LNCh or, when allowed, service
// number of the tax administration.
PersonalNumber CheckPersonalNumber(std::string_view text, ui::Host* host, bool allowServiceNumber);

// The member-state prefix tables differ only in the last period of "GB":
// variant A ends it with 202012, variant B with 202112. The journal forms'
// counterpart classification and the VIES return use A; the forms' other
// member-state tests, the counterparts register and the file checker use B.
enum class EuPrefixVariant { A, B };

// True when the first two letters of the VAT number name a member state whose
// numbers are accepted in the tax period (YYYYMM). With acceptXi, a number
// beginning with "XI" is accepted whatever the period.
bool IsEuVatPrefixValid(EuPrefixVariant variant, std::string_view vatNumber,
                        std::string_view period, bool acceptXi = false);

// "BG" followed by ten characters, or by nine that form a valid EIK: the forms
// of a Bulgarian VAT number that every counterpart test accepts.
bool IsBulgarianVatNumberForm(std::string_view text);

// The counterpart identifier forms that the forms, the counterparts register
// and the checker accept: a Bulgarian VAT number form; otherwise a personal
// number (service numbers allowed), an EIK, or a VAT number of a member state
// (the given variant, the given period, without the XI shortcut); with
// acceptPlaceholder also the customs placeholder "999999999999999".
bool IsKnownIdentifierForm(std::string_view text, EuPrefixVariant variant, std::string_view period,
                           bool acceptPlaceholder);

// The customs-declaration placeholder identifier.
inline constexpr std::string_view kPlaceholderIdentifier = "999999999999999";

}  // namespace persons
