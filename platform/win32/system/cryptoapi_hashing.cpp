#include "platform/win32/system/cryptoapi_hashing.hpp"

#include "platform/win32/system/wide_text.hpp"

#include <algorithm>

namespace morvane::win32 {
namespace {

class HashHandle {
  public:
    HashHandle() = default;
    HashHandle(const HashHandle&) = delete;
    HashHandle& operator=(const HashHandle&) = delete;
    ~HashHandle() {
        if (handle_ != 0)
            CryptDestroyHash(handle_);
    }
    HCRYPTHASH* put() { return &handle_; }
    HCRYPTHASH get() const { return handle_; }

  private:
    HCRYPTHASH handle_ = 0;
};

} // namespace

CryptoApiHashing::~CryptoApiHashing() {
    if (provider_ != 0)
        CryptReleaseContext(provider_, 0);
}

Result<std::string> CryptoApiHashing::sha256_hex(std::string_view bytes) {
    if (provider_ == 0 &&
        !CryptAcquireContextW(&provider_, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) {
        provider_ = 0;
        return last_error();
    }
    HashHandle hash;
    if (!CryptCreateHash(provider_, CALG_SHA_256, 0, 0, hash.put()))
        return last_error();
    for (std::size_t done = 0; done < bytes.size();) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 24));
        if (!CryptHashData(hash.get(), reinterpret_cast<const BYTE*>(bytes.data() + done), chunk,
                           0))
            return last_error();
        done += chunk;
    }
    BYTE digest[32];
    DWORD size = sizeof digest;
    if (!CryptGetHashParam(hash.get(), HP_HASHVAL, digest, &size, 0))
        return last_error();
    constexpr char digits[] = "0123456789abcdef";
    std::string hex;
    for (DWORD i = 0; i < size; ++i)
        (hex += digits[digest[i] >> 4]) += digits[digest[i] & 15];
    return hex;
}

} // namespace morvane::win32
