// The yardstick for a whole-process copy: the least a pugixml program does to load a file and
// save it again (vondrel_pugixml_copy IN OUT). Measured with callgrind beside vondrel-cli copy.
#include <pugixml.hpp>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    pugi::xml_document doc;
    if (!doc.load_file(argv[1])) return 1;
    return doc.save_file(argv[2]) ? 0 : 1;
}
