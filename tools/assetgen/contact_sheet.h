#pragma once
// Review sheets: every painted image as a labelled thumbnail, over a checkerboard
// where it is transparent, a few dozen to a sheet.

#include <cairo.h>

#include <mutex>
#include <string>
#include <vector>

namespace assetgen {

class ContactSheets {
public:
    ContactSheets() = default;
    ContactSheets(const ContactSheets&) = delete;
    ContactSheets& operator=(const ContactSheets&) = delete;
    ~ContactSheets();

    // Adds a thumbnail of `image`; callable from several threads at once.
    void add(const std::string& name, cairo_surface_t* image);

    // Writes contact_01.png, contact_02.png ... into `dir`, in name order.
    // Returns the number of sheets, or -1 with `error` set.
    int write(const std::string& dir, std::string* error);

private:
    struct Thumb {
        std::string name;
        int w, h;                  // size of the original image
        cairo_surface_t* surface;  // scaled to fit a cell
    };
    std::mutex mutex_;
    std::vector<Thumb> thumbs_;
};

}  // namespace assetgen
