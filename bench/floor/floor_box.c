/* The least work a box picture of a list costs: for each row of the list,
 * read and decode its front, spine and back JPEGs at full size (libjpeg's
 * defaults, RGB out) and encode that row's picture as a PNG with libpng,
 * the Paeth filter and zlib's run-length strategy: the renderer's files, byte
 * for byte as large, at a fraction of the cost of libpng's defaults (which
 * spend three times the JPEGs' decoding on files a tenth smaller). The
 * pictures come as PAM files made beforehand from the renderer's own outputs,
 * so both encode the same pixels.
 *
 *   floor_box [--png-defaults] LIST.csv PAMDIR OUTDIR
 *                                      for each row named NAME, decode its
 *                                      faces and write OUTDIR/NAME.png from
 *                                      PAMDIR/NAME.pam (with libpng's own
 *                                      filters and compression if asked)
 *   floor_box --pam IN.png OUT.pam     turn a picture into raw pixels
 *
 * Buffers are kept from one image to the next, as a worker would keep them.
 */
#include <errno.h>
#include <setjmp.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <jpeglib.h> /* after stdio.h: it needs FILE and size_t */
#include <png.h>
#include <zlib.h>

static void die(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    fputs("floor_box: ", stderr);
    vfprintf(stderr, format, args);
    fputc('\n', stderr);
    va_end(args);
    exit(1);
}

/* A buffer that only grows. */
struct buffer {
    unsigned char* bytes;
    size_t size;
};

static unsigned char* reserve(struct buffer* buffer, size_t size)
{
    if (size > buffer->size) {
        free(buffer->bytes);
        buffer->bytes = malloc(size);
        if (!buffer->bytes)
            die("out of memory for %zu bytes", size);
        buffer->size = size;
    }
    return buffer->bytes;
}

static FILE* open_file(const char* path, const char* mode)
{
    FILE* file = fopen(path, mode);
    if (!file)
        die("%s: %s", path, strerror(errno));
    return file;
}

/* The whole file into the buffer; its length. */
static size_t read_file(const char* path, struct buffer* buffer)
{
    FILE* file = open_file(path, "rb");
    if (fseek(file, 0, SEEK_END) != 0)
        die("%s: cannot seek", path);
    const long length = ftell(file);
    rewind(file);
    if (length <= 0 || fread(reserve(buffer, (size_t)length), 1, (size_t)length, file) != (size_t)length)
        die("%s: cannot read", path);
    fclose(file);
    return (size_t)length;
}

struct jpeg_failure {
    struct jpeg_error_mgr manager;
    jmp_buf jump;
};

static void jpeg_failed(j_common_ptr info)
{
    longjmp(((struct jpeg_failure*)info->err)->jump, 1);
}

static void decode_jpeg(const char* path, struct buffer* file, struct buffer* pixels)
{
    const size_t length = read_file(path, file);
    struct jpeg_decompress_struct info;
    struct jpeg_failure failure;
    info.err = jpeg_std_error(&failure.manager);
    failure.manager.error_exit = jpeg_failed;
    if (setjmp(failure.jump)) {
        char message[JMSG_LENGTH_MAX];
        failure.manager.format_message((j_common_ptr)&info, message);
        die("%s: %s", path, message);
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, file->bytes, (unsigned long)length);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    const size_t stride = (size_t)info.output_width * (size_t)info.output_components;
    unsigned char* rows = reserve(pixels, stride * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = rows + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
}

struct picture {
    unsigned width, height, channels;
    struct buffer pixels;
};

static void read_pam(const char* path, struct picture* picture)
{
    FILE* file = open_file(path, "rb");
    if (fscanf(file, "P7 WIDTH %u HEIGHT %u DEPTH %u MAXVAL 255 TUPLTYPE %*s ENDHDR", &picture->width,
               &picture->height, &picture->channels) != 3 ||
        fgetc(file) != '\n' || picture->channels < 1 || picture->channels > 4 || picture->width == 0 ||
        picture->height == 0 || picture->width > 65535 || picture->height > 65535)
        die("%s: not an 8-bit PAM picture", path);
    const size_t size = (size_t)picture->width * picture->height * picture->channels;
    if (fread(reserve(&picture->pixels, size), 1, size, file) != size)
        die("%s: cut short", path);
    fclose(file);
}

static const int colour_types[] = {PNG_COLOR_TYPE_GRAY, PNG_COLOR_TYPE_GRAY_ALPHA, PNG_COLOR_TYPE_RGB,
                                   PNG_COLOR_TYPE_RGB_ALPHA};

static void png_failed(png_structp png, png_const_charp message)
{
    fprintf(stderr, "floor_box: %s: %s\n", (const char*)png_get_error_ptr(png), message);
    exit(1);
}

/* A PNG file open for libpng to read or write. */
struct png_file {
    FILE* file;
    png_structp png;
    png_infop info;
};

static struct png_file open_png(const char* path, int writing)
{
    struct png_file opened = {open_file(path, writing ? "wb" : "rb"), NULL, NULL};
    opened.png = (writing ? png_create_write_struct : png_create_read_struct)(PNG_LIBPNG_VER_STRING, (png_voidp)path,
                                                                               png_failed, NULL);
    opened.info = opened.png ? png_create_info_struct(opened.png) : NULL;
    if (!opened.info)
        die("%s: cannot start libpng", path);
    png_init_io(opened.png, opened.file);
    return opened;
}

static void encode_png(const char* path, const struct picture* picture, int png_defaults)
{
    struct png_file out = open_png(path, 1);
    png_structp png = out.png;
    png_infop info = out.info;
    png_set_IHDR(png, info, picture->width, picture->height, 8, colour_types[picture->channels - 1],
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!png_defaults) {
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_PAETH);
        png_set_compression_strategy(png, Z_RLE);
    }
    png_write_info(png, info);
    const size_t stride = (size_t)picture->width * picture->channels;
    for (unsigned y = 0; y < picture->height; ++y)
        png_write_row(png, picture->pixels.bytes + stride * y);
    png_write_end(png, NULL);
    png_destroy_write_struct(&png, &info);
    if (fclose(out.file) != 0)
        die("%s: cannot write", path);
}

/* The decoded picture of a PNG file, 8 bits a channel, palettes expanded. */
static void decode_png(const char* path, struct picture* picture)
{
    struct png_file in = open_png(path, 0);
    png_structp png = in.png;
    png_infop info = in.info;
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_read_update_info(png, info);
    picture->width = png_get_image_width(png, info);
    picture->height = png_get_image_height(png, info);
    picture->channels = png_get_channels(png, info);
    const size_t stride = png_get_rowbytes(png, info);
    unsigned char* pixels = reserve(&picture->pixels, stride * picture->height);
    png_bytep* rows = malloc(picture->height * sizeof(png_bytep));
    if (!rows)
        die("out of memory");
    for (unsigned y = 0; y < picture->height; ++y)
        rows[y] = pixels + stride * y;
    png_read_image(png, rows);
    free(rows);
    png_destroy_read_struct(&png, &info, NULL);
    fclose(in.file);
}

static int to_pam(const char* in, const char* out)
{
    static const char* const tuple_types[] = {"GRAYSCALE", "GRAYSCALE_ALPHA", "RGB", "RGB_ALPHA"};
    struct picture picture = {0};
    decode_png(in, &picture);
    FILE* file = open_file(out, "wb");
    fprintf(file, "P7\nWIDTH %u\nHEIGHT %u\nDEPTH %u\nMAXVAL 255\nTUPLTYPE %s\nENDHDR\n", picture.width,
            picture.height, picture.channels, tuple_types[picture.channels - 1]);
    const size_t size = (size_t)picture.width * picture.height * picture.channels;
    if (fwrite(picture.pixels.bytes, 1, size, file) != size || fclose(file) != 0)
        die("%s: cannot write", out);
    free(picture.pixels.bytes);
    return 0;
}

enum { name_column, front_column, spine_column, back_column, columns };

/* Splits a CSV line of plain fields in place; the number of fields. */
static int split(char* line, char** fields, int most)
{
    line[strcspn(line, "\r\n")] = '\0';
    if (strchr(line, '"'))
        die("quoted CSV fields are not read here: %s", line);
    int count = 0;
    for (char* field = line; field && count < most; ++count) {
        fields[count] = field;
        field = strchr(field, ',');
        if (field)
            *field++ = '\0';
    }
    return count;
}

/* A row's file path: as it is when absolute, else beside the list. */
static const char* beside(const char* folder, const char* file, char* path, size_t size)
{
    if (file[0] == '/')
        return file;
    if ((size_t)snprintf(path, size, "%s/%s", folder, file) >= size)
        die("path too long: %s", file);
    return path;
}

static int draw_list(const char* list_path, const char* pam_folder, const char* out_folder, int png_defaults)
{
    static const char* const wanted[columns] = {"name", "front", "spine", "back"};
    FILE* list = open_file(list_path, "r");
    char folder[4096];
    snprintf(folder, sizeof folder, "%s", list_path);
    char* slash = strrchr(folder, '/');
    if (slash)
        *slash = '\0';
    else
        strcpy(folder, ".");

    char line[16384];
    char* fields[64];
    if (!fgets(line, sizeof line, list))
        die("%s: empty", list_path);
    const int header = split(line, fields, 64);
    int where[columns];
    for (int c = 0; c < columns; ++c) {
        where[c] = -1;
        for (int f = 0; f < header; ++f)
            if (strcmp(fields[f], wanted[c]) == 0)
                where[c] = f;
        if (where[c] < 0)
            die("%s: no column '%s'", list_path, wanted[c]);
    }

    struct buffer file = {0}, pixels = {0};
    struct picture picture = {0};
    char path[8192];
    int rows = 0;
    while (fgets(line, sizeof line, list)) {
        const int count = split(line, fields, 64);
        if (count == 1 && fields[0][0] == '\0')
            continue;
        if (count != header)
            die("%s: row %d has %d fields, not %d", list_path, rows + 1, count, header);
        for (int c = front_column; c <= back_column; ++c)
            decode_jpeg(beside(folder, fields[where[c]], path, sizeof path), &file, &pixels);
        snprintf(path, sizeof path, "%s/%s.pam", pam_folder, fields[where[name_column]]);
        read_pam(path, &picture);
        snprintf(path, sizeof path, "%s/%s.png", out_folder, fields[where[name_column]]);
        encode_png(path, &picture, png_defaults);
        ++rows;
    }
    fclose(list);
    free(file.bytes);
    free(pixels.bytes);
    free(picture.pixels.bytes);
    printf("%d pictures\n", rows);
    return 0;
}

int main(int argc, char** argv)
{
    if (argc == 4 && strcmp(argv[1], "--pam") == 0)
        return to_pam(argv[2], argv[3]);
    const int png_defaults = argc > 1 && strcmp(argv[1], "--png-defaults") == 0;
    if (argc == 4 + png_defaults && argv[1 + png_defaults][0] != '-')
        return draw_list(argv[1 + png_defaults], argv[2 + png_defaults], argv[3 + png_defaults], png_defaults);
    fprintf(stderr, "usage: floor_box [--png-defaults] LIST.csv PAMDIR OUTDIR\n"
                    "       floor_box --pam IN.png OUT.pam\n");
    return 2;
}
