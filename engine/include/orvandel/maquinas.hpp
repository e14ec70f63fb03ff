// What the front ends may know of the four machines: their names, image tags and address
// ranges, the directive and reserved names, and a description of each instruction (opcode,
// length, operand forms) for the editor to show. Every answer is read from the engine's one
// table of machine facts, the same rows that the passes and the encoders work from.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace orvandel {

enum class Maquina { Zibel, Kovra, Quirla, Jelmo };

inline constexpr std::array<Maquina, 4> kMaquinas = {Maquina::Zibel, Maquina::Kovra,
                                                     Maquina::Quirla, Maquina::Jelmo};

// The one 16-bit machine, whose rules (words, lengths, operand forms) differ from the others'.
inline bool ehJelmo(Maquina maquina) {
    return maquina == Maquina::Jelmo;
}

// The name the machine goes by in messages, logs and file names ("Zibel", "Kovra", ...).
std::string_view nomeMaquina(Maquina maquina);
// The machine whose name is exactly `nome` (case-sensitive), if any.
std::optional<Maquina> maquinaPorNome(std::string_view nome);
// The three letters after 03h at the start of the machine's image file ("ZBL", "J16", ...).
std::string_view etiquetaImagem(Maquina maquina);
// The highest address of the machine's memory: 65535 on Jelmo, 255 on the 8-bit machines.
int32_t ultimoEndereco(Maquina maquina);
// Bytes of one memory word: what a data line takes (2 on Jelmo, 1 elsewhere).
int32_t tamanhoPalavra(Maquina maquina);

// The directive names, the same on every machine, in table order.
inline constexpr std::array<std::string_view, 6> tabDiretivas = {"DB",  "DW",  "ORG",
                                                                 "DAB", "DAW", "EQU"};
// The names a label may not take on the machine (its registers, modes or flags), upper case.
std::span<const std::string_view> nomesReservados(Maquina maquina);

// One instruction as the editor describes it.
struct DescricaoInstrucao {
    std::string_view mnemonico; // upper case, as the machine's table writes it
    // The first byte; on Jelmo's word instructions the instruction word before its operand
    // fields; on Quirla the byte with register A and direct mode.
    int32_t opcode;
    int32_t tamanhoMinimo; // bytes; the two differ where the operands' modes add words (Jelmo)
    int32_t tamanhoMaximo;
    std::string_view operandos;   // the operand forms the instruction accepts
    std::string_view codificacao; // how the operands join the opcode
};

// The instruction `mnemonico` (any letter case) of the machine, if it has one.
std::optional<DescricaoInstrucao> descreveInstrucao(Maquina maquina, std::string_view mnemonico);
// Every instruction of the machine, in table order.
std::vector<DescricaoInstrucao> descreveInstrucoes(Maquina maquina);

} // namespace orvandel
