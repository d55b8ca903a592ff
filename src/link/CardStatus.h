#pragma once
// The vocabulary of card command replies: the card status code every reply
// carries, and the result of a card delete or rename.
#include <string>

// The status text of a card status code; *pIsError (when given) is set true
// exactly for the error range 128 to 136. Codes without a text give "".
std::string GetCardStatusText(unsigned char nCode, bool* pIsError);

// Reason texts of a non-zero card delete (sub-command 14) or rename (15) result.
std::string GetCardDeleteResultText(unsigned char nResult);
std::string GetCardRenameResultText(unsigned char nResult);
