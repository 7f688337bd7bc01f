// The tests' own view of a JPEG, written apart from the tool on libjpeg alone, a whole picture in
// memory:
//
//   jpeg_judge planes JPEG PREFIX          writes the Y, Cb and Cr planes as libjpeg decodes them
//                                          before upsampling and colour conversion, each cropped to
//                                          its own size, as PREFIX_0.pgx, PREFIX_1.pgx and
//                                          PREFIX_2.pgx in the format opj_decompress writes
//   jpeg_judge coefficients JPEG OUT       writes to OUT how the scans are coded (progressive or
//                                          not, the restart interval), the quantisation tables
//                                          and every component's quantised DCT coefficients
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <memory>
#include <string>
#include <vector>

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

void writePlanes(jpeg_decompress_struct& info, const std::string& prefix) {
    if (info.num_components != 3) {
        std::fprintf(stderr, "not three components\n");
        std::exit(1);
    }
    info.raw_data_out = TRUE;
    info.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&info);

    // Each plane whole, its rows a whole number of blocks wide, as many as its iMCU rows hold.
    std::vector<std::uint8_t> planes[3];
    std::vector<JSAMPROW> rows[3];
    for (int c = 0; c < 3; ++c) {
        const std::size_t stride = std::size_t{info.comp_info[c].width_in_blocks} * DCTSIZE;
        rows[c].resize(std::size_t{info.total_iMCU_rows} * info.comp_info[c].v_samp_factor *
                       DCTSIZE);
        planes[c].resize(stride * rows[c].size());
        for (std::size_t row = 0; row < rows[c].size(); ++row)
            rows[c][row] = planes[c].data() + row * stride;
    }
    for (JDIMENSION imcu = 0; imcu < info.total_iMCU_rows; ++imcu) {
        JSAMPARRAY arrays[3];
        for (int c = 0; c < 3; ++c)
            arrays[c] =
                rows[c].data() + std::size_t{imcu} * info.comp_info[c].v_samp_factor * DCTSIZE;
        jpeg_read_raw_data(&info, arrays,
                           static_cast<JDIMENSION>(info.max_v_samp_factor * DCTSIZE));
    }
    for (int c = 0; c < 3; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        const std::string name = prefix + "_" + std::to_string(c) + ".pgx";
        const File out = open(name.c_str(), "wb");
        std::fprintf(out.get(), "PG ML + 8 %u %u\n", component.downsampled_width,
                     component.downsampled_height);
        for (JDIMENSION row = 0; row < component.downsampled_height; ++row)
            std::fwrite(rows[c][row], 1, component.downsampled_width, out.get());
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if ((command != "planes" && command != "coefficients") || argc != 4) {
        std::fprintf(stderr, "usage: jpeg_judge planes JPEG PREFIX | coefficients JPEG OUT\n");
        return 2;
    }
    const File in = open(argv[2], "rb");
    Decompressor decompressor;
    jpeg_stdio_src(&decompressor.info, in.get());
    jpeg_read_header(&decompressor.info, TRUE);
    if (command == "planes") {
        writePlanes(decompressor.info, argv[3]);
    } else {
        const File out = open(argv[3], "wb");
        dump(decompressor.info, jpeg_read_coefficients(&decompressor.info), out.get());
    }
    // Component information lives until the decompression ends.
    jpeg_finish_decompress(&decompressor.info);
    return 0;
}
