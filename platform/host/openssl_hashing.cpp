#include "platform/host/openssl_hashing.hpp"

#include <openssl/evp.h>

#include <memory>

namespace morvane {
namespace {

// Looked up once: the implicit lookup of EVP_sha256() on every digest cost as much as
// hashing a small file.
const EVP_MD* sha256() {
    static const std::unique_ptr<EVP_MD, decltype(&EVP_MD_free)> algorithm(
        EVP_MD_fetch(nullptr, "SHA256", nullptr), &EVP_MD_free);
    return algorithm.get();
}

} // namespace

Result<std::string> OpenSslHashing::sha256_hex(std::string_view bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (!sha256() || !EVP_Digest(bytes.data(), bytes.size(), digest, &size, sha256(), nullptr))
        return PlatformError{PlatformError::Kind::other, "The SHA-256 digest cannot be computed."};
    constexpr char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned int i = 0; i < size; ++i)
        (hex += digits[digest[i] >> 4]) += digits[digest[i] & 15];
    return hex;
}

} // namespace morvane
