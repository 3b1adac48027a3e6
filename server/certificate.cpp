#include "server/certificate.h"

#include <fcntl.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <filesystem>

#include "protocol/fingerprint.h"

namespace server {

namespace {

constexpr long ValidSeconds = 30L * 365 * 24 * 3600;

template <class T, void (*Free)(T*)>
struct Freer {
  void operator()(T* p) const { Free(p); }
};
using Key = std::unique_ptr<EVP_PKEY, Freer<EVP_PKEY, EVP_PKEY_free>>;
using Cert = std::unique_ptr<X509, Freer<X509, X509_free>>;
void CloseFile(FILE* file) { std::fclose(file); }
using File = std::unique_ptr<FILE, Freer<FILE, CloseFile>>;

std::string OpenSslError(const char* what) {
  char text[256] = "";
  ERR_error_string_n(ERR_get_error(), text, sizeof text);
  return std::string(what) + ": " + text;
}

// Writes a PEM file through a temporary of the given mode, so that a crash halfway never
// leaves half a key behind.
template <class Write>
bool WritePem(const std::string& path, mode_t mode, Write write) {
  const std::string temporary = path + ".new";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
  if (fd < 0) return false;
  File file(::fdopen(fd, "w"));
  if (!file) {
    ::close(fd);
    return false;
  }
  const bool written = write(file.get()) == 1 && std::fflush(file.get()) == 0 && ::fsync(fd) == 0;
  file.reset();
  return written && std::rename(temporary.c_str(), path.c_str()) == 0;
}

bool AddName(X509* cert) {
  X509_NAME* name = X509_get_subject_name(cert);
  const auto* cn = reinterpret_cast<const unsigned char*>("tumbra-server");
  return X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, cn, -1, -1, 0) == 1 &&
         X509_set_issuer_name(cert, name) == 1;
}

// The host name as a subject alternative name, which clients match the server setting
// against; a host name that is no DNS name is left out.
void AddHostName(X509* cert) {
  char host[HOST_NAME_MAX + 1] = "";
  if (::gethostname(host, sizeof host) != 0) return;
  X509V3_CTX context;
  X509V3_set_ctx(&context, cert, cert, nullptr, nullptr, 0);
  const std::string value = std::string("DNS:") + host;
  X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, NID_subject_alt_name, value.c_str());
  if (extension) X509_add_ext(cert, extension, -1);
  X509_EXTENSION_free(extension);
  ERR_clear_error();
}

Cert SelfSigned(EVP_PKEY* key) {
  Cert cert(X509_new());
  if (!cert || X509_set_version(cert.get(), 2) != 1) return nullptr;
  BIGNUM* serial = BN_new();
  const bool made = serial && BN_rand(serial, 128, BN_RAND_TOP_ANY, BN_RAND_BOTTOM_ANY) == 1 &&
                    BN_to_ASN1_INTEGER(serial, X509_get_serialNumber(cert.get())) &&
                    X509_gmtime_adj(X509_getm_notBefore(cert.get()), 0) &&
                    X509_gmtime_adj(X509_getm_notAfter(cert.get()), ValidSeconds) &&
                    X509_set_pubkey(cert.get(), key) == 1 && AddName(cert.get());
  BN_free(serial);
  if (!made) return nullptr;
  AddHostName(cert.get());
  if (X509_sign(cert.get(), key, EVP_sha256()) == 0) return nullptr;
  return cert;
}

}  // namespace

void TlsContextFree::operator()(ssl_ctx_st* context) const { SSL_CTX_free(context); }

int OwnCertificate(const std::string& folder, std::string& cert, std::string& key, std::string& error) {
  cert = folder + "/cert.pem";
  key = folder + "/key.pem";
  std::error_code ec;
  if (std::filesystem::exists(cert, ec) && std::filesystem::exists(key, ec)) return 1;
  const Key pkey(EVP_EC_gen("P-256"));
  if (!pkey) return error = OpenSslError("making a key"), 0;
  const Cert x509 = SelfSigned(pkey.get());
  if (!x509) return error = OpenSslError("making a certificate"), 0;
  const bool written =
      WritePem(key, 0600, [&](FILE* f) {
        return PEM_write_PrivateKey(f, pkey.get(), nullptr, nullptr, 0, nullptr, nullptr);
      }) &&
      WritePem(cert, 0644, [&](FILE* f) { return PEM_write_X509(f, x509.get()); });
  if (!written) return error = "cannot write " + cert + " and " + key, 0;
  return 1;
}

std::string Fingerprint(const std::string& certFile) {
  const File file(std::fopen(certFile.c_str(), "r"));
  if (!file) return "";
  const Cert cert(PEM_read_X509(file.get(), nullptr, nullptr, nullptr));
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  if (!cert || X509_digest(cert.get(), EVP_sha256(), digest, &size) != 1) return "";
  return protocol::FingerprintText(digest, size);
}

TlsContext MakeTlsContext(const std::string& cert, const std::string& key, std::string& error) {
  TlsContext context(SSL_CTX_new(TLS_server_method()));
  if (!context) return error = OpenSslError("TLS"), nullptr;
  SSL_CTX* c = context.get();
  SSL_CTX_set_min_proto_version(c, TLS1_2_VERSION);
  SSL_CTX_set_options(c, SSL_OP_NO_RENEGOTIATION | SSL_OP_NO_COMPRESSION | SSL_OP_CIPHER_SERVER_PREFERENCE);
  SSL_CTX_set_mode(c, SSL_MODE_RELEASE_BUFFERS | SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
  // Thousands of connections: no session cache and no tickets to keep for them.
  SSL_CTX_set_session_cache_mode(c, SSL_SESS_CACHE_OFF);
  SSL_CTX_set_num_tickets(c, 0);
  if (SSL_CTX_use_certificate_chain_file(c, cert.c_str()) != 1) return error = OpenSslError(cert.c_str()), nullptr;
  if (SSL_CTX_use_PrivateKey_file(c, key.c_str(), SSL_FILETYPE_PEM) != 1 || SSL_CTX_check_private_key(c) != 1)
    return error = OpenSslError(key.c_str()), nullptr;
  return context;
}

}  // namespace server
