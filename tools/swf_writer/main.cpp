// Writes one of the player's own movies: swf_writer <movie> <output file>.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "swf_writer/own_movies.h"

namespace {

void usage() {
  std::fprintf(stderr, "usage: swf_writer <movie> <output file>\nmovies:");
  for (const auto& movie : qm::swf_writer::ownMovies()) std::fprintf(stderr, " %s", movie.name);
  std::fprintf(stderr, "\n");
}

// Writes beside the target and renames, so a failed run never leaves half a
// movie where the player would load it.
bool writeFile(const std::filesystem::path& target, const std::vector<uint8_t>& bytes) {
  std::filesystem::path partial = target;
  partial += ".partial";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) return false;
  }
  std::error_code error;
  std::filesystem::rename(partial, target, error);
  if (!error) return true;
  std::filesystem::remove(partial, error);
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    usage();
    return 2;
  }
  const std::string name = argv[1];
  for (const auto& movie : qm::swf_writer::ownMovies()) {
    if (name != movie.name) continue;
    try {
      if (!writeFile(argv[2], movie.write())) {
        std::fprintf(stderr, "swf_writer: cannot write %s\n", argv[2]);
        return 1;
      }
    } catch (const std::exception& error) {
      std::fprintf(stderr, "swf_writer: %s\n", error.what());
      return 1;
    }
    return 0;
  }
  usage();
  return 2;
}
