// Stands in for the browser as the handler of web addresses: record_url FILE ADDRESS writes ADDRESS to FILE.
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out) return 1;
  std::fputs(argv[2], out);
  return std::fclose(out) == 0 ? 0 : 1;
}
