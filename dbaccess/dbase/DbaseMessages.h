#pragma once

#include <string>
#include <string_view>

#include "dbaccess/Errors.h"

// The texts of the dBASE driver. "%s" stands for the names the message gives,
// in order; a file is named by its path.
namespace dbaccess::dbase::msg {

inline constexpr const char* kFolderMissing = "O diretório '%s' do alias '%s' não existe";
inline constexpr const char* kFolderUnreadable = "O diretório '%s' não pode ser lido: %s";
inline constexpr const char* kFileUnopenable = "O arquivo '%s' não pode ser aberto: %s";
inline constexpr const char* kFileNotRegular = "'%s' não é um arquivo comum";
inline constexpr const char* kFileUnreadable = "O arquivo '%s' não pode ser lido: %s";
inline constexpr const char* kFileUnlockable = "O arquivo '%s' não pode ser bloqueado: %s";
inline constexpr const char* kNotDbase = "O arquivo '%s' não é uma tabela dBASE III ou IV (versão %s)";
inline constexpr const char* kEncrypted = "O arquivo '%s' está criptografado";
inline constexpr const char* kMemoMissing = "O arquivo de memos '%s' da tabela '%s' não foi encontrado";
inline constexpr const char* kCodePageUnknown = "A página de código '%s' do arquivo '%s' não é conhecida";
inline constexpr const char* kReadOnly = "As tabelas dBASE só podem ser lidas: '%s'";
inline constexpr const char* kNoTransactions = "Os bancos de dados dBASE não aceitam transações";

// A damaged file: the file, then what is wrong with it.
inline constexpr const char* kDamaged = "O arquivo '%s' está danificado: %s";
inline constexpr const char* kHeaderTruncated = "o cabeçalho está incompleto";
inline constexpr const char* kHeaderSize = "o tamanho do cabeçalho é inválido";
inline constexpr const char* kRecordSize = "o tamanho do registro não confere com os campos";
inline constexpr const char* kNoFields = "a tabela não tem campos";
inline constexpr const char* kFieldDescriptor = "a descrição do campo %s é inválida";
inline constexpr const char* kRecordsTruncated = "o arquivo termina antes do registro %s";
inline constexpr const char* kRecordMark = "o registro %s tem uma marca de exclusão inválida";
inline constexpr const char* kMemoOutOfRange = "o bloco de memo %s está fora do arquivo";
inline constexpr const char* kMemoNoSignature = "o bloco de memo %s não começa como um memo do dBASE IV";
inline constexpr const char* kMemoTooLong = "o memo do bloco %s passa do fim do arquivo";
inline constexpr const char* kMemoUnterminated = "o memo do bloco %s não tem marca de fim";
inline constexpr const char* kNoMemoFile = "a tabela tem campos memo, mas nenhum arquivo de memos";
inline constexpr const char* kFieldName = "o nome do campo %s não é texto da página de código %s";

inline EDatabaseError Damaged(const std::string& fileName, const std::string& detail) {
    return EDatabaseError(Format(kDamaged, {fileName, detail}));
}

}  // namespace dbaccess::dbase::msg
