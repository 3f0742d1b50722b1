#include "generator.h"

#include "image_probe.h"
#include "jpeg_writer.h"
#include "painters.h"
#include "pixels.h"
#include "png_writer.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <thread>

namespace assetgen {
namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point t0) {
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

// Rough cost, so that the slowest members start first.
double cost(const Member& m) {
    if (!m.is_image()) return m.format() == Format::ogg ? 1e9 : 1e7;
    return double(m.w) * m.h;
}

std::vector<const Member*> select(const Options& o) {
    std::vector<const Member*> out;
    for (const Member& m : members()) {
        if (m.is_image() ? !o.images : !o.audio) continue;
        if (!o.only.empty() && m.name.find(o.only) == std::string::npos) continue;
        out.push_back(&m);
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const Member* a, const Member* b) { return cost(*a) > cost(*b); });
    return out;
}

// Writes next to the target and renames, so a reader never sees half a file.
bool write_whole(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    std::filesystem::path tmp = path;
    tmp += ".tmp";
    {
        std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!f) return false;
    }
    std::filesystem::rename(tmp, path, ec);
    return !ec;
}

const char* cairo_problem(cairo_t* cr, cairo_surface_t* s) {
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) return cairo_status_to_string(cairo_status(cr));
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS)
        return cairo_status_to_string(cairo_surface_status(s));
    return nullptr;
}

}  // namespace

Generator::Generator(const Options& options) : options_(options) {}

void Generator::fail(const std::string& message) {
    std::lock_guard<std::mutex> lock(mutex_);
    errors_.push_back(message);
}

void Generator::warn(const std::string& message) {
    std::lock_guard<std::mutex> lock(mutex_);
    warnings_.push_back(message);
}

std::vector<uint8_t> Generator::make_image(const Member& m) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, m.w, m.h);
    cairo_t* cr = cairo_create(surface);
    if (m.painter == Painter::pieces) paint_pieces(cr, m.w, m.h, m.name);
    else paint_ui(cr, m.w, m.h, m.name);
    const char* problem = cairo_problem(cr, surface);
    cairo_destroy(cr);
    cairo_surface_flush(surface);

    std::vector<uint8_t> bytes;
    if (problem) {
        fail(m.name + ": cairo: " + problem);
    } else if (m.format() == Format::jpeg) {
        if (long n = count_translucent(surface))
            warn(m.name + ": " + std::to_string(n) + " translucent pixels, composited over black");
        bytes = encode_jpeg(surface);
    } else {
        bytes = encode_png(surface);
    }
    if (!problem && !options_.contact_dir.empty()) sheets_.add(m.name, surface);
    cairo_surface_destroy(surface);
    if (bytes.empty() && !problem) fail(m.name + ": encoding failed");
    return bytes;
}

void Generator::write_member(const Member& m, const std::vector<uint8_t>& bytes) {
    if (m.is_image()) {
        ImageInfo info;
        if (!probe_image(bytes.data(), bytes.size(), m.format(), &info))
            return fail(m.name + ": written bytes are not a readable image");
        if (info.w != m.w || info.h != m.h)
            return fail(m.name + ": image is " + std::to_string(info.w) + "x" +
                        std::to_string(info.h) + ", the table says " + std::to_string(m.w) +
                        "x" + std::to_string(m.h));
        if (!info.expected_layout) return fail(m.name + ": unexpected pixel layout");
    } else if (bytes.empty()) {
        warn(m.name + ": the sound painter returned no bytes");
    }
    if (options_.out_dir.empty()) return;
    if (!write_whole(std::filesystem::path(options_.out_dir) / m.name, bytes))
        fail(m.name + ": cannot write into " + options_.out_dir);
}

void Generator::make(const Member& m) {
    const Clock::time_point t0 = Clock::now();
    try {
        std::vector<uint8_t> bytes = m.is_image() ? make_image(m) : make_sound(m.name);
        if (!bytes.empty() || !m.is_image()) write_member(m, bytes);
    } catch (const std::exception& e) {
        fail(m.name + ": " + e.what());
    }
    const double s = seconds_since(t0);
    std::lock_guard<std::mutex> lock(mutex_);
    timings_.push_back(Timing{m.name, s});
}

void Generator::report(const std::vector<const Member*>& jobs, double seconds) {
    for (const std::string& w : warnings_) std::fprintf(stderr, "assetgen: warning: %s\n", w.c_str());
    for (const std::string& e : errors_) std::fprintf(stderr, "assetgen: error: %s\n", e.c_str());
    std::sort(timings_.begin(), timings_.end(),
              [](const Timing& a, const Timing& b) { return a.seconds > b.seconds; });
    std::printf("assetgen: %zu members in %.2f s", jobs.size(), seconds);
    for (size_t i = 0; i < timings_.size() && i < 3; ++i)
        std::printf("%s %s %.2f s", i ? "," : "; slowest", timings_[i].name.c_str(),
                    timings_[i].seconds);
    std::printf("\n");
}

int Generator::run() {
    const std::vector<const Member*> jobs = select(options_);
    if (jobs.empty()) {
        std::fprintf(stderr, "assetgen: no member matches\n");
        return 1;
    }
    const Clock::time_point t0 = Clock::now();
    unsigned n = options_.jobs > 0 ? unsigned(options_.jobs) : std::thread::hardware_concurrency();
    n = std::max(1u, std::min<unsigned>(n, unsigned(jobs.size())));
    std::atomic<size_t> next{0};
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < n; ++t)
        pool.emplace_back([&] {
            for (size_t i; (i = next++) < jobs.size();) make(*jobs[i]);
        });
    for (std::thread& t : pool) t.join();

    if (!options_.contact_dir.empty() && errors_.empty()) {
        std::string error;
        int sheets = sheets_.write(options_.contact_dir, &error);
        if (sheets < 0) errors_.push_back(error);
        else std::printf("assetgen: %d contact sheets in %s\n", sheets, options_.contact_dir.c_str());
    }
    report(jobs, seconds_since(t0));
    return errors_.empty() ? 0 : 1;
}

}  // namespace assetgen
