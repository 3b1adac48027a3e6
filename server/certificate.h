#pragma once
#include <memory>
#include <string>

struct ssl_ctx_st;

namespace server {

struct TlsContextFree {
  void operator()(ssl_ctx_st* context) const;
};
using TlsContext = std::unique_ptr<ssl_ctx_st, TlsContextFree>;

// The server's own certificate in `folder` (cert.pem and key.pem): made at the first start
// with a new EC P-256 key, self-signed for many years, and kept from then on. Fills in the
// two file names.
int OwnCertificate(const std::string& folder, std::string& cert, std::string& key, std::string& error);
// The SHA-256 fingerprint of the certificate in a PEM file, as players compare it; empty
// when the file does not hold one.
std::string Fingerprint(const std::string& certFile);
// A TLS context for the server with this certificate (and chain) and key: TLS 1.2 or newer,
// no renegotiation, buffers released while a connection is idle.
TlsContext MakeTlsContext(const std::string& cert, const std::string& key, std::string& error);

}  // namespace server
