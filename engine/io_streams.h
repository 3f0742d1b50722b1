#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace E2 {
namespace io {

// A sink of bytes. write is all-or-nothing from the caller's point of view:
// false means some bytes may be lost.
class OutputStream {
public:
    virtual ~OutputStream();
    virtual bool write(void const* data, std::size_t n) = 0;
    virtual bool flush();
    virtual bool close();
    bool write_byte(unsigned char b) { return write(&b, 1); }
};

// Writes to a stdio stream; closes it on close() only when it owns it.
class C_FILE_OutputStream : public OutputStream {
public:
    C_FILE_OutputStream(FILE* f, bool owns);
    ~C_FILE_OutputStream() override;
    bool write(void const* data, std::size_t n) override;
    bool flush() override;
    bool close() override;

private:
    FILE* f_;
    bool owns_;
};

// Writes to a file descriptor, retrying short and interrupted writes.
class FD_OutputStream : public OutputStream {
public:
    FD_OutputStream(int fd, bool owns);
    ~FD_OutputStream() override;
    bool write(void const* data, std::size_t n) override;
    bool close() override;

private:
    int fd_;
    bool owns_;
};

// Collects everything written in memory.
class ByteArrayOutputStream : public OutputStream {
public:
    bool write(void const* data, std::size_t n) override;
    std::vector<unsigned char> const& bytes() const { return buf_; }
    void reset() { buf_.clear(); }

private:
    std::vector<unsigned char> buf_;
};

// Passes everything on to another stream, which it does not own; close()
// closes that stream too.
class FilterOutputStream : public OutputStream {
public:
    explicit FilterOutputStream(OutputStream* inner) : out_(inner) {}
    bool write(void const* data, std::size_t n) override;
    bool flush() override;
    bool close() override;

protected:
    OutputStream* out_;
};

// A filter whose close() only flushes, leaving the inner stream open.
class DisownedOutputStream : public FilterOutputStream {
public:
    using FilterOutputStream::FilterOutputStream;
    bool close() override;
};

// Big-endian integers and bools, byte by byte.
class DataOutputStream : public FilterOutputStream {
public:
    using FilterOutputStream::FilterOutputStream;
    bool write_bool(bool v) { return write_byte(v ? 1 : 0); }
    bool write_ui8(unsigned char v) { return write_byte(v); }
    bool write_ui16(std::uint16_t v);
    bool write_ui32(std::uint32_t v);
    bool write_i32(std::int32_t v) { return write_ui32(static_cast<std::uint32_t>(v)); }
};

// Gathers writes in a 512-byte buffer and passes it on when full, on
// flush() and on close().
class BufferedOutputStream : public FilterOutputStream {
public:
    static constexpr std::size_t buffer_size = 512;
    using FilterOutputStream::FilterOutputStream;
    ~BufferedOutputStream() override;
    bool write(void const* data, std::size_t n) override;
    bool flush() override;
    bool close() override;

private:
    bool drain();
    unsigned char buf_[buffer_size];
    std::size_t used_ = 0;
};

// A source of bytes; read returns how many it delivered (0 at the end).
class InputStream {
public:
    virtual ~InputStream();
    virtual std::size_t read(void* data, std::size_t n) = 0;
};

class C_FILE_InputStream : public InputStream {
public:
    C_FILE_InputStream(FILE* f, bool owns);
    ~C_FILE_InputStream() override;
    std::size_t read(void* data, std::size_t n) override;

private:
    FILE* f_;
    bool owns_;
};

}  // namespace io
}  // namespace E2
