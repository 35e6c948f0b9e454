#include "platform/md5crypt.h"

#include <crypt.h>

#include <string_view>

#include "platform/errors.h"
#include "platform/random.h"

namespace orvanta {

namespace {
constexpr std::string_view kCryptAlphabet =
    "./0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
}

std::string Md5Crypt(const std::string& Password, const std::string& Salt) {
  std::string_view salt = Salt;
  if (salt.starts_with("$1$")) salt.remove_prefix(3);
  salt = salt.substr(0, 2);
  std::string setting = "$1$" + std::string(salt) + "$";

  crypt_data data{};
  const char* hash = crypt_r(Password.c_str(), setting.c_str(), &data);
  if (!hash || hash[0] != '$')
    throw Error("the MD5-crypt password hash is not available on this system");
  return hash;
}

std::string RandomCryptSalt(TRandom& Random) {
  std::string salt;
  for (int i = 0; i < 2; ++i)
    salt += kCryptAlphabet[Random.Next(static_cast<uint32_t>(kCryptAlphabet.size()))];
  return salt;
}

}  // namespace orvanta
