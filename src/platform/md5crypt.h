#pragma once

#include <string>

namespace orvanta {

class TRandom;

// The MD5-crypt ("$1$") hash of Password, as Unix crypt() publishes it. Only the first two
// characters of Salt count (a leading "$1$" is removed first).
std::string Md5Crypt(const std::string& Password, const std::string& Salt);

// Two salt characters drawn from the crypt base-64 alphabet.
std::string RandomCryptSalt(TRandom& Random);

}  // namespace orvanta
