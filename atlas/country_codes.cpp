// zykatlas: the ISO 3166 codes of the atlas's country numbers (written by tools/atlas/make_atlas.mjs
// together with the directory file; do not edit).
#include <array>
#include <string_view>

#include "atlas/atlas_files.h"

namespace talpora {
namespace {
constexpr std::array<std::string_view, 250> kIsoCodes{
    "US",  // 1 United States
    "BR",  // 2 Brazil
    "CA",  // 3 Canada
    "RU",  // 4 Russia
    "MX",  // 5 Mexico
    "AR",  // 6 Argentina
    "FR",  // 7 France
    "ID",  // 8 Indonesia
    "KZ",  // 9 Kazakhstan
    "CL",  // 10 Chile
    "IN",  // 11 India
    "AU",  // 12 Australia
    "ES",  // 13 Spain
    "PT",  // 14 Portugal
    "AF",  // 15 Afghanistan
    "AL",  // 16 Albania
    "DZ",  // 17 Algeria
    "AS",  // 18 American Samoa
    "AO",  // 19 Angola
    "AI",  // 20 Anguilla
    "AQ",  // 21 Antarctica
    "AG",  // 22 Antigua and Barbuda
    "DE",  // 23 Germany
    "AM",  // 24 Armenia
    "AW",  // 25 Aruba
    "AT",  // 26 Austria
    "AZ",  // 27 Azerbaijan
    "BS",  // 28 Bahamas
    "BH",  // 29 Bahrain
    "BD",  // 30 Bangladesh
    "BB",  // 31 Barbados
    "BY",  // 32 Belarus
    "BE",  // 33 Belgium
    "BZ",  // 34 Belize
    "BJ",  // 35 Benin
    "BM",  // 36 Bermuda
    "BT",  // 37 Bhutan
    "BO",  // 38 Bolivia
    "BA",  // 39 Bosnia-Herzegovina
    "BW",  // 40 Botswana
    "BV",  // 41 Bouvet Island
    "CH",  // 42 Switzerland
    "IO",  // 43 British Indian Oc. T.
    "VG",  // 44 British Virgin Is.
    "BN",  // 45 Brunei
    "BG",  // 46 Bulgaria
    "BF",  // 47 Burkina Faso
    "BI",  // 48 Burundi
    "IT",  // 49 Italy
    "CV",  // 50 Cabo Verde
    "KH",  // 51 Cambodia
    "CN",  // 52 China
    "CM",  // 53 Cameroon
    "GB",  // 54 United Kingdom
    "BQ",  // 55 Caribbean Netherlands
    "KY",  // 56 Cayman Islands
    "CF",  // 57 Central African Rep.
    "TD",  // 58 Chad
    "CX",  // 59 Christmas Island
    "CC",  // 60 Cocos Islands
    "CO",  // 61 Colombia
    "KM",  // 62 Comoros
    "CG",  // 63 Congo
    "CK",  // 64 Cook Islands
    "CR",  // 65 Costa Rica
    "HR",  // 66 Croatia
    "CU",  // 67 Cuba
    "CW",  // 68 Cura?ao
    "CY",  // 69 Cyprus
    "CZ",  // 70 Czechia
    "CI",  // 71 C?te d'Ivoire
    "DK",  // 72 Denmark
    "DJ",  // 73 Djibouti
    "DM",  // 74 Dominica
    "DO",  // 75 Dominican Republic
    "EC",  // 76 Ecuador
    "EG",  // 77 Egypt
    "SV",  // 78 El Salvador
    "GQ",  // 79 Equatorial Guinea
    "ER",  // 80 Eritrea
    "EE",  // 81 Estonia
    "SZ",  // 82 Eswatini
    "ET",  // 83 Ethiopia
    "FK",  // 84 Falkland Islands
    "FO",  // 85 Faroe Islands
    "FJ",  // 86 Fiji
    "FI",  // 87 Finland
    "GF",  // 88 French Guiana
    "PF",  // 89 French Polynesia
    "MC",  // 90 Monaco
    "AD",  // 91 Andorra
    "UA",  // 92 Ukraine
    "TF",  // 93 French Southern T.
    "GA",  // 94 Gabon
    "GM",  // 95 Gambia
    "GE",  // 96 Georgia
    "GH",  // 97 Ghana
    "GI",  // 98 Gibraltar
    "GR",  // 99 Greece
    "GL",  // 100 Greenland
    "GD",  // 101 Grenada
    "GP",  // 102 Guadeloupe
    "GU",  // 103 Guam
    "GT",  // 104 Guatemala
    "GG",  // 105 Guernsey
    "GN",  // 106 Guinea
    "GW",  // 107 Guinea-Bissau
    "NL",  // 108 Netherlands
    "GY",  // 109 Guyana
    "HT",  // 110 Haiti
    "HM",  // 111 Heard & McDonald Is.
    "HN",  // 112 Honduras
    "HK",  // 113 Hong Kong
    "HU",  // 114 Hungary
    "IS",  // 115 Iceland
    "IR",  // 116 Iran
    "IQ",  // 117 Iraq
    "IE",  // 118 Ireland
    "IM",  // 119 Isle of Man
    "IL",  // 120 Israel
    "JM",  // 121 Jamaica
    "JP",  // 122 Japan
    "JE",  // 123 Jersey
    "JO",  // 124 Jordan
    "KE",  // 125 Kenya
    "KI",  // 126 Kiribati
    "XK",  // 127 Kosovo
    "KW",  // 128 Kuwait
    "KG",  // 129 Kyrgyzstan
    "LA",  // 130 Laos
    "LV",  // 131 Latvia
    "LB",  // 132 Lebanon
    "LS",  // 133 Lesotho
    "LR",  // 134 Liberia
    "LY",  // 135 Libya
    "LI",  // 136 Liechtenstein
    "LT",  // 137 Lithuania
    "LU",  // 138 Luxembourg
    "MO",  // 139 Macao
    "MG",  // 140 Madagascar
    "MW",  // 141 Malawi
    "MY",  // 142 Malaysia
    "MV",  // 143 Maldives
    "ML",  // 144 Mali
    "MT",  // 145 Malta
    "MH",  // 146 Marshall Islands
    "MQ",  // 147 Martinique
    "MR",  // 148 Mauritania
    "MU",  // 149 Mauritius
    "YT",  // 150 Mayotte
    "FM",  // 151 Micronesia
    "MD",  // 152 Moldova
    "ME",  // 153 Montenegro
    "MS",  // 154 Montserrat
    "MA",  // 155 Morocco
    "MZ",  // 156 Mozambique
    "MM",  // 157 Myanmar
    "NA",  // 158 Namibia
    "NR",  // 159 Nauru
    "NP",  // 160 Nepal
    "NC",  // 161 New Caledonia
    "NZ",  // 162 New Zealand
    "NI",  // 163 Nicaragua
    "NE",  // 164 Niger
    "NG",  // 165 Nigeria
    "NU",  // 166 Niue
    "NF",  // 167 Norfolk Island
    "KP",  // 168 North Korea
    "MN",  // 169 Mongolia
    "CD",  // 170 DR Congo
    "MK",  // 171 North Macedonia
    "MP",  // 172 Northern Mariana Is.
    "NO",  // 173 Norway
    "OM",  // 174 Oman
    "PK",  // 175 Pakistan
    "PW",  // 176 Palau
    "PS",  // 177 Palestine
    "PA",  // 178 Panama
    "PG",  // 179 Papua New Guinea
    "PY",  // 180 Paraguay
    "PE",  // 181 Peru
    "PH",  // 182 Philippines
    "PN",  // 183 Pitcairn
    "PL",  // 184 Poland
    "PR",  // 185 Puerto Rico
    "QA",  // 186 Qatar
    "RO",  // 187 Romania
    "RW",  // 188 Rwanda
    "RE",  // 189 R?union
    "BL",  // 190 Saint Barth?lemy
    "SH",  // 191 Saint Helena
    "KN",  // 192 Saint Kitts and Nevis
    "LC",  // 193 Saint Lucia
    "MF",  // 194 Saint Martin
    "WS",  // 195 Samoa
    "SM",  // 196 San Marino
    "ST",  // 197 Sao Tome and Principe
    "SA",  // 198 Saudi Arabia
    "SN",  // 199 Senegal
    "RS",  // 200 Serbia
    "SC",  // 201 Seychelles
    "SL",  // 202 Sierra Leone
    "SG",  // 203 Singapore
    "SX",  // 204 Sint Maarten
    "SK",  // 205 Slovakia
    "SI",  // 206 Slovenia
    "SB",  // 207 Solomon Islands
    "SO",  // 208 Somalia
    "ZA",  // 209 South Africa
    "GS",  // 210 South Georgia
    "KR",  // 211 South Korea
    "SS",  // 212 South Sudan
    "LK",  // 213 Sri Lanka
    "PM",  // 214 St Pierre & Miquelon
    "VC",  // 215 St Vincent & Grenad.
    "SD",  // 216 Sudan
    "SR",  // 217 Suriname
    "SJ",  // 218 Svalbard & Jan Mayen
    "SE",  // 219 Sweden
    "SY",  // 220 Syria
    "TW",  // 221 Taiwan
    "TJ",  // 222 Tajikistan
    "TZ",  // 223 Tanzania
    "TH",  // 224 Thailand
    "TL",  // 225 Timor-Leste
    "TG",  // 226 Togo
    "TK",  // 227 Tokelau
    "TO",  // 228 Tonga
    "TT",  // 229 Trinidad and Tobago
    "TN",  // 230 Tunisia
    "TM",  // 231 Turkmenistan
    "TC",  // 232 Turks and Caicos Is.
    "TV",  // 233 Tuvalu
    "TR",  // 234 T?rkiye
    "UM",  // 235 US Minor Outlying Is.
    "VI",  // 236 US Virgin Islands
    "UG",  // 237 Uganda
    "AE",  // 238 United Arab Emirates
    "UY",  // 239 Uruguay
    "UZ",  // 240 Uzbekistan
    "VU",  // 241 Vanuatu
    "VA",  // 242 Vatican City
    "VE",  // 243 Venezuela
    "VN",  // 244 Vietnam
    "WF",  // 245 Wallis and Futuna
    "EH",  // 246 Western Sahara
    "YE",  // 247 Yemen
    "ZM",  // 248 Zambia
    "ZW",  // 249 Zimbabwe
    "AX",  // 250 ?land Islands
};
}  // namespace

std::string_view isoCodeOfCountry(int country) {
  if (country < 1 || country > static_cast<int>(kIsoCodes.size())) return {};
  return kIsoCodes[static_cast<std::size_t>(country - 1)];
}

int countryOfIsoCode(std::string_view iso) {
  if (iso.size() != 2) return 0;
  const char a = static_cast<char>(iso[0] & ~0x20), b = static_cast<char>(iso[1] & ~0x20);
  for (std::size_t i = 0; i < kIsoCodes.size(); ++i)
    if (kIsoCodes[i][0] == a && kIsoCodes[i][1] == b) return static_cast<int>(i + 1);
  return 0;
}

}  // namespace talpora
