#include "io_streams.h"

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <unistd.h>

namespace E2 {
namespace io {

OutputStream::~OutputStream() {}
bool OutputStream::flush() { return true; }
bool OutputStream::close() { return flush(); }

C_FILE_OutputStream::C_FILE_OutputStream(FILE* f, bool owns) : f_(f), owns_(owns) {}

C_FILE_OutputStream::~C_FILE_OutputStream() {
    if (owns_ && f_) std::fclose(f_);
}

bool C_FILE_OutputStream::write(void const* data, std::size_t n) {
    return f_ && std::fwrite(data, 1, n, f_) == n;
}

bool C_FILE_OutputStream::flush() { return f_ && std::fflush(f_) == 0; }

bool C_FILE_OutputStream::close() {
    if (!f_) return false;
    if (!owns_) return flush();
    bool ok = std::fclose(f_) == 0;
    f_ = nullptr;
    return ok;
}

FD_OutputStream::FD_OutputStream(int fd, bool owns) : fd_(fd), owns_(owns) {}

FD_OutputStream::~FD_OutputStream() {
    if (owns_ && fd_ >= 0) ::close(fd_);
}

bool FD_OutputStream::write(void const* data, std::size_t n) {
    if (fd_ < 0) return false;
    unsigned char const* p = static_cast<unsigned char const*>(data);
    while (n > 0) {
        ssize_t k = ::write(fd_, p, n);
        if (k < 0 && errno == EINTR) continue;
        if (k <= 0) return false;
        p += k;
        n -= static_cast<std::size_t>(k);
    }
    return true;
}

bool FD_OutputStream::close() {
    if (fd_ < 0) return false;
    if (!owns_) return true;
    bool ok = ::close(fd_) == 0;
    fd_ = -1;
    return ok;
}

bool ByteArrayOutputStream::write(void const* data, std::size_t n) {
    unsigned char const* p = static_cast<unsigned char const*>(data);
    buf_.insert(buf_.end(), p, p + n);
    return true;
}

bool FilterOutputStream::write(void const* data, std::size_t n) { return out_->write(data, n); }
bool FilterOutputStream::flush() { return out_->flush(); }
bool FilterOutputStream::close() { return out_->close(); }

bool DisownedOutputStream::close() { return flush(); }

bool DataOutputStream::write_ui16(std::uint16_t v) {
    return write_byte(static_cast<unsigned char>(v >> 8)) &&
           write_byte(static_cast<unsigned char>(v));
}

bool DataOutputStream::write_ui32(std::uint32_t v) {
    return write_ui16(static_cast<std::uint16_t>(v >> 16)) &&
           write_ui16(static_cast<std::uint16_t>(v));
}

BufferedOutputStream::~BufferedOutputStream() { drain(); }

bool BufferedOutputStream::drain() {
    if (used_ == 0) return true;
    bool ok = out_->write(buf_, used_);
    used_ = 0;
    return ok;
}

bool BufferedOutputStream::write(void const* data, std::size_t n) {
    unsigned char const* p = static_cast<unsigned char const*>(data);
    while (n > 0) {
        std::size_t k = std::min(n, buffer_size - used_);
        std::memcpy(buf_ + used_, p, k);
        used_ += k;
        p += k;
        n -= k;
        if (used_ == buffer_size && !drain()) return false;
    }
    return true;
}

bool BufferedOutputStream::flush() {
    bool ok = drain();
    return out_->flush() && ok;
}

bool BufferedOutputStream::close() {
    bool ok = drain();
    return out_->close() && ok;
}

InputStream::~InputStream() {}

C_FILE_InputStream::C_FILE_InputStream(FILE* f, bool owns) : f_(f), owns_(owns) {}

C_FILE_InputStream::~C_FILE_InputStream() {
    if (owns_ && f_) std::fclose(f_);
}

std::size_t C_FILE_InputStream::read(void* data, std::size_t n) {
    return f_ ? std::fread(data, 1, n, f_) : 0;
}

}  // namespace io
}  // namespace E2
