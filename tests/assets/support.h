#pragma once
// Shared pieces of the assets tests: temporary folders, test archives, a recording mixer.

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "mixer_seam.h"
#include "qdata_index.h"

namespace test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    std::string const& path() const { return path_; }
    std::string file(std::string const& rel) const { return path_ + "/" + rel; }
    // Writes bytes to a file under the folder, making its parent folders.
    void write(std::string const& rel, std::string const& bytes) const;

private:
    std::string path_;
};

// Changes the working folder for the lifetime of the object.
class InFolder {
public:
    explicit InFolder(std::string const& path);
    ~InFolder();

private:
    std::string previous_;
};

// An archive file and its index rows, made from (index name, bytes) members.
class Archive {
public:
    explicit Archive(std::vector<std::pair<std::string, std::string>> members);
    // Writes the header and the members; the file is cut to keep bytes when keep >= 0.
    void write(std::string const& path, long keep = -1) const;
    // Makes qdata_find use these rows and the archive at path.
    void use(std::string const& path) const;
    std::vector<QDataRow> const& rows() const { return rows_; }

private:
    std::vector<std::pair<std::string, std::string>> members_;
    std::vector<QDataRow> rows_;
};

// Every byte of a stream from its start; closes it.
std::string drain(SDL_RWops* rw);

// A BMP file of w x h pixels whose colours follow x and y.
std::string bmp_bytes(int w, int h);
// A WAV file of 16-bit stereo silence at 22050 Hz.
std::string wav_bytes(int ms);

// Records the mixer calls as text; decodes anything but data starting with "BAD".
class FakeMixer : public Mixer {
public:
    int open_result = 0;
    std::vector<std::string> calls;

    // Installs itself for the lifetime of the object.
    struct Use {
        explicit Use(FakeMixer& m);
        ~Use();
        Mixer* previous;
    };

    // The one instance: chunks and tracks it hands out stay valid for the whole run.
    static FakeMixer& get();
    void reset();
    // The calls since the last reset whose text starts with prefix.
    std::vector<std::string> calls_of(std::string const& prefix) const;

    int open_audio(int frequency, Uint16 format, int channels, int chunk_size) override;
    Mix_Chunk* load_wav(SDL_RWops* src, int freesrc) override;
    int volume_chunk(Mix_Chunk* chunk, int volume) override;
    int play_channel_timed(int channel, Mix_Chunk* chunk, int loops, int ticks) override;
    Mix_Music* load_mus(SDL_RWops* src) override;
    void free_music(Mix_Music* music) override;
    int play_music(Mix_Music* music, int loops) override;
    int fade_in_music(Mix_Music* music, int loops, int ms) override;
    int fade_in_music_pos(Mix_Music* music, int loops, int ms, double position) override;
    int fade_out_music(int ms) override;
    int volume_music(int volume) override;

private:
    std::vector<std::unique_ptr<Mix_Chunk>> chunks_;
    std::vector<std::unique_ptr<char>> tracks_;
};

}  // namespace test
