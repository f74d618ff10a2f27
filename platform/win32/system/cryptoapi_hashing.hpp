#pragma once

#include "platform/hashing.hpp"

#include <windows.h>

#include <wincrypt.h>

namespace morvane::win32 {

// SHA-256 from advapi32's CryptoAPI, which Windows 7 has.
class CryptoApiHashing : public Hashing {
  public:
    CryptoApiHashing() = default;
    CryptoApiHashing(const CryptoApiHashing&) = delete;
    CryptoApiHashing& operator=(const CryptoApiHashing&) = delete;
    ~CryptoApiHashing() override;
    Result<std::string> sha256_hex(std::string_view bytes) override;

  private:
    HCRYPTPROV provider_ = 0; // acquired on first use
};

} // namespace morvane::win32
