// Writes the Y, Cb and Cr planes of a JPEG as libjpeg decodes them before upsampling and colour
// conversion, each cropped to its own size, as PREFIX_0.pgx, PREFIX_1.pgx and PREFIX_2.pgx in the
// format opj_decompress writes components in. The tool's judge: written apart from it, on its
// own, a whole picture in memory.
//
//   jpeg_planes_dump JPEG PREFIX
#include <cstdint>
#include <cstdio>
#include <jpeglib.h>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, Closer>;

struct Decompressor {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    Decompressor() {
        info.err = jpeg_std_error(&errors); // exits on a fatal error
        jpeg_create_decompress(&info);
    }
    ~Decompressor() { jpeg_destroy_decompress(&info); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: jpeg_planes_dump JPEG PREFIX\n");
        return 2;
    }
    const File in(std::fopen(argv[1], "rb"));
    if (!in) {
        std::perror(argv[1]);
        return 1;
    }
    Decompressor decompressor;
    jpeg_decompress_struct& info = decompressor.info;
    jpeg_stdio_src(&info, in.get());
    jpeg_read_header(&info, TRUE);
    if (info.num_components != 3) {
        std::fprintf(stderr, "not three components\n");
        return 1;
    }
    info.raw_data_out = TRUE;
    info.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&info);

    std::vector<std::vector<std::uint8_t>> planes(3);
    std::vector<std::size_t> strides(3);
    for (int c = 0; c < 3; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        strides[c] = std::size_t{component.width_in_blocks} * DCTSIZE;
        const std::size_t rows =
            std::size_t{info.total_iMCU_rows} * component.v_samp_factor * DCTSIZE;
        planes[c].resize(strides[c] * rows);
    }
    for (JDIMENSION imcu = 0; imcu < info.total_iMCU_rows; ++imcu) {
        std::vector<JSAMPROW> rows[3];
        for (int c = 0; c < 3; ++c) {
            const std::size_t height =
                static_cast<std::size_t>(info.comp_info[c].v_samp_factor) * DCTSIZE;
            for (std::size_t row = 0; row < height; ++row)
                rows[c].push_back(planes[c].data() + (imcu * height + row) * strides[c]);
        }
        JSAMPARRAY arrays[3] = {rows[0].data(), rows[1].data(), rows[2].data()};
        jpeg_read_raw_data(&info, arrays,
                           static_cast<JDIMENSION>(info.max_v_samp_factor * DCTSIZE));
    }
    for (int c = 0; c < 3; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        const std::string name = std::string(argv[2]) + "_" + std::to_string(c) + ".pgx";
        const File out(std::fopen(name.c_str(), "wb"));
        if (!out) {
            std::perror(name.c_str());
            return 1;
        }
        std::fprintf(out.get(), "PG ML + 8 %u %u\n", component.downsampled_width,
                     component.downsampled_height);
        for (JDIMENSION row = 0; row < component.downsampled_height; ++row)
            std::fwrite(planes[c].data() + row * strides[c], 1, component.downsampled_width,
                        out.get());
    }
    // Component information lives until the decompression ends.
    jpeg_finish_decompress(&info);
    return 0;
}
