#pragma once

// The copy command's texts.
namespace copy::msg {

inline constexpr const char* kIncomplete = "Dados para cópia estão incompletos.";
inline constexpr const char* kOpenFailed = "Erro ao tentar Abrir Tabelas selecionadas: ";
inline constexpr const char* kNoCompatiblePair =
    "Tabelas sem campos correspondentes ou os campos da origem estão vazios.";
inline constexpr const char* kCopied = "Cópia de dados executada com sucesso.";
inline constexpr const char* kCopyFailed = "Erro ao tentar copiar dados: ";

}  // namespace copy::msg
