// The tests' own view of a JPEG's coded picture, written apart from the tool on libjpeg alone:
//
//   jpeg_coefficients dump JPEG OUT        writes to OUT how the scans are coded (progressive or
//                                          not, the restart interval), the quantisation tables
//                                          and every component's quantised DCT coefficients
//   jpeg_coefficients restart N JPEG OUT   writes JPEG again with the same coefficients and a
//                                          restart marker every N MCUs
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <memory>
#include <string>

namespace {

struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, Closer>;

// libjpeg's own error handling: a fatal error ends the program with its message.
struct Decompressor {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    Decompressor() {
        info.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&info);
    }
    ~Decompressor() { jpeg_destroy_decompress(&info); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
};

struct Compressor {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    Compressor() {
        info.err = jpeg_std_error(&errors);
        jpeg_create_compress(&info);
    }
    ~Compressor() { jpeg_destroy_compress(&info); }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;
};

File open(const char* name, const char* mode) {
    File file(std::fopen(name, mode));
    if (!file) {
        std::perror(name);
        std::exit(1);
    }
    return file;
}

void dump(jpeg_decompress_struct& info, jvirt_barray_ptr* arrays, std::FILE* out) {
    std::fprintf(out, "progressive %d restart %u arithmetic %d components %d\n",
                 info.progressive_mode, info.restart_interval, info.arith_code,
                 info.num_components);
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        std::fprintf(out, "component %d: %dx%d sampling, %ux%u blocks\n", c,
                     component.h_samp_factor, component.v_samp_factor, component.width_in_blocks,
                     component.height_in_blocks);
        std::fwrite(component.quant_table->quantval, sizeof(UINT16), DCTSIZE2, out);
        for (JDIMENSION row = 0; row < component.height_in_blocks; ++row) {
            JBLOCKARRAY blocks = (*info.mem->access_virt_barray)(
                reinterpret_cast<j_common_ptr>(&info), arrays[c], row, 1, FALSE);
            std::fwrite(blocks[0], sizeof(JBLOCK), component.width_in_blocks, out);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (!((command == "dump" && argc == 4) || (command == "restart" && argc == 5))) {
        std::fprintf(stderr, "usage: jpeg_coefficients dump JPEG OUT | restart N JPEG OUT\n");
        return 2;
    }
    const int first = command == "dump" ? 2 : 3;
    const File in = open(argv[first], "rb");
    const File out = open(argv[first + 1], "wb");
    Decompressor decompressor;
    jpeg_stdio_src(&decompressor.info, in.get());
    jpeg_read_header(&decompressor.info, TRUE);
    jvirt_barray_ptr* arrays = jpeg_read_coefficients(&decompressor.info);
    if (command == "dump") {
        dump(decompressor.info, arrays, out.get());
    } else {
        Compressor compressor;
        jpeg_stdio_dest(&compressor.info, out.get());
        jpeg_copy_critical_parameters(&decompressor.info, &compressor.info);
        compressor.info.restart_interval = static_cast<unsigned>(std::atoi(argv[2]));
        jpeg_write_coefficients(&compressor.info, arrays);
        jpeg_finish_compress(&compressor.info);
    }
    jpeg_finish_decompress(&decompressor.info);
    return 0;
}
