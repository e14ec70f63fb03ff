// Texts of the errno values that POSIX and the Windows C library have in common.
#include "erros.hpp"

#include <cerrno>

namespace orvandel {

std::string descricaoErroComum(int codigo) {
    switch (codigo) {
    case ENOENT:
        return "arquivo ou diretório inexistente";
    case EACCES:
    case EPERM:
        return "permissão negada";
    case EISDIR:
        return "é um diretório";
    case ENOTDIR:
        return "um componente do caminho não é um diretório";
    case ENOSPC:
        return "não há espaço no dispositivo";
    case EFBIG:
        return "arquivo grande demais";
    case EROFS:
        return "sistema de arquivos somente para leitura";
    case ENAMETOOLONG:
        return "nome de arquivo longo demais";
    case EMFILE:
    case ENFILE:
        return "arquivos abertos demais";
    case EIO:
        return "erro de entrada e saída";
    default:
        return "erro do sistema " + std::to_string(codigo);
    }
}

} // namespace orvandel
