// The association on Windows: the keys under HKEY_CLASSES_ROOT that the shell reads, and its
// notification that file associations changed.
#include <shlobj.h>
#include <windows.h>

#include "associacao.hpp"

namespace orvandel {

namespace {

std::wstring largo(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int tamanho =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring texto(static_cast<size_t>(tamanho), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), texto.data(),
                          tamanho);
    return texto;
}

// Opens or creates the key and writes its default value; false when either is refused.
bool gravaValorPadrao(const ChaveRegistro& chave) {
    HKEY aberta = nullptr;
    if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, largo(chave.chave).c_str(), 0, nullptr, 0,
                          KEY_SET_VALUE, nullptr, &aberta, nullptr) != ERROR_SUCCESS)
        return false;
    const std::wstring dado = largo(chave.dado);
    const auto bytes = static_cast<DWORD>((dado.size() + 1) * sizeof(wchar_t));
    const LSTATUS gravado = ::RegSetValueExW(aberta, nullptr, 0, REG_SZ,
                                             reinterpret_cast<const BYTE*>(dado.c_str()), bytes);
    ::RegCloseKey(aberta);
    return gravado == ERROR_SUCCESS;
}

bool existe(const std::string& chave) {
    HKEY aberta = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, largo(chave).c_str(), 0, KEY_READ, &aberta) !=
        ERROR_SUCCESS)
        return false;
    ::RegCloseKey(aberta);
    return true;
}

// True when the key is gone: deleted here with its subkeys, or never there.
bool apaga(const std::string& chave) {
    return !existe(chave) ||
           ::RegDeleteTreeW(HKEY_CLASSES_ROOT, largo(chave).c_str()) == ERROR_SUCCESS;
}

void avisaShell() {
    ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

// The second key is not written once the first was refused; a first key written stays.
bool associaExtensao(const RegistroExtensao& registro) {
    for (const ChaveRegistro& chave : registro.chaves)
        if (!gravaValorPadrao(chave)) return false;
    return true;
}

} // namespace

std::vector<std::string> associaArquivos(const std::filesystem::path& programa) {
    const std::u8string caminho = programa.u8string();
    std::vector<std::string> falhas;
    for (const RegistroExtensao& registro : planoRegistro(
             std::string_view(reinterpret_cast<const char*>(caminho.data()), caminho.size()))) {
        if (!associaExtensao(registro))
            falhas.push_back(falhaRegistroAssociacao(registro.extensao));
        avisaShell();
    }
    return falhas;
}

// The extension's own key may fail to go unreported: without the type's key it opens nothing.
std::vector<std::string> removeAssociacao() {
    std::vector<std::string> falhas;
    for (const RemocaoExtensao& remocao : planoRemocaoRegistro()) {
        apaga(remocao.chaveExtensao);
        if (!apaga(remocao.chaveTipo)) falhas.push_back(falhaRegistroRemocao(remocao.extensao));
        avisaShell();
    }
    return falhas;
}

} // namespace orvandel
