#include "platform/host/openssl_hashing.hpp"

#include <openssl/evp.h>

namespace morvane {

Result<std::string> OpenSslHashing::sha256_hex(std::string_view bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (!EVP_Digest(bytes.data(), bytes.size(), digest, &size, EVP_sha256(), nullptr))
        return PlatformError{PlatformError::Kind::other, "The SHA-256 digest cannot be computed."};
    constexpr char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned int i = 0; i < size; ++i)
        (hex += digits[digest[i] >> 4]) += digits[digest[i] & 15];
    return hex;
}

} // namespace morvane
