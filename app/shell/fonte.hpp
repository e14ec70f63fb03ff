// Source files: read and written in the encoding they came in. A UTF-8 or UTF-16 (LE/BE)
// byte-order mark is honoured and kept; a file without one is UTF-8 when its bytes are
// well-formed UTF-8 with some character beyond ASCII (what editors on Linux save), and
// Windows-1252 otherwise. Lines end at CR LF, LF or CR, and are written back with CR LF. In
// memory every line is UTF-8.
#pragma once

#include <filesystem>
#include <memory>
#include <memory_resource>
#include <string>
#include <string_view>
#include <vector>

#include "leitura.hpp"
#include "orvandel/montagem.hpp"
#include "orvandel/texto.hpp"

namespace orvandel {

enum class Codificacao { Cp1252, Utf8SemMarca, Utf8, Utf16LE, Utf16BE };

struct TextoFonte {
    std::vector<std::string> linhas; // UTF-8, without line ends
    Codificacao codificacao = Codificacao::Cp1252;
};

TextoFonte decodificaFonte(std::string_view bytes);

// A source as the assembler reads it: the file's text in one buffer, which the engine cuts into
// lines itself, instead of a string per line. A Windows-1252 file stays in its own bytes, which
// the engine reads without a conversion; the other encodings are held as UTF-8. The buffer lives
// on the heap, so that moving the whole leaves `conteudo` valid; it draws on the default memory
// resource, as the large buffers of a run do.
struct LinhasFonte {
    std::unique_ptr<const BytesLidos> texto;
    std::string_view conteudo; // the text past its byte-order mark
    CodificacaoLinhas codificacao = CodificacaoLinhas::Utf8;

    // Each line viewed in `conteudo`, as the engine cuts them.
    std::pmr::vector<std::string_view> linhas() const { return vistasDasLinhas(conteudo); }
    // The lines in UTF-8, as TextoFonte holds them (for the annotated listing).
    std::vector<std::string> emUtf8() const;
};

LinhasFonte decodificaLinhasFonte(BytesLidos bytes);

// The encoding the text is written in: its own, unless that cannot hold one of its characters
// (a Windows-1252 file given a character beyond the code page), then UTF-8 with a byte-order
// mark, so that nothing typed is ever lost.
Codificacao codificacaoAoGravar(const TextoFonte& texto);
std::string codificaFonte(const TextoFonte& texto);

// Throws FalhaArquivo with a Portuguese text naming the file; anything but a regular file (a
// directory, a FIFO, a device) is refused rather than read.
TextoFonte leArquivoFonte(const std::filesystem::path& caminho);
LinhasFonte leLinhasFonte(const std::filesystem::path& caminho);
// Returns the encoding written, codificacaoAoGravar's.
Codificacao gravaArquivoFonte(const std::filesystem::path& caminho, const TextoFonte& texto);

} // namespace orvandel
