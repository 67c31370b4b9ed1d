#pragma once
// The maker's data shown by both about boxes, in one place.

namespace Maker {
inline constexpr char Name[] = "WexSoft";
inline constexpr char AddressLine[] = "WexSoft, ul. Przykładowa 7, 00-950 Wzorowo";
inline constexpr char Street[] = "ul. Przykładowa 7";
inline constexpr char City[] = "00-950 Wzorowo";
inline constexpr char TaxId[] = "NIP: 000-000-00-00";
inline constexpr char PhoneSecretariat[] = "(00) 555 01 10";
inline constexpr char PhoneSales[] = "(00) 555 01 20";
inline constexpr char PhoneSupport[] = "(00) 555 01 30";
inline constexpr char Fax[] = "(00) 555 01 99";
inline constexpr char MailSecretariat[] = "sekretariat@wexsoft.example";
inline constexpr char MailSales[] = "handel@wexsoft.example";
inline constexpr char Web[] = "www.wexsoft.example";
inline constexpr char BottomLine[] = "Kantomix 2 © 2004 WexSoft";
} // namespace Maker
