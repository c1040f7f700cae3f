#pragma once

// The dialog's texts. "%s" stands for the names the message gives, in order.
namespace dialog::msg {

inline constexpr const char* kCaption = "Copia de dados de tabelas";
inline constexpr const char* kMessageCaption = "Informação";
inline constexpr const char* kOk = "OK";

inline constexpr const char* kSourceWord = "Origem";
inline constexpr const char* kDestinationWord = "Destino";
inline constexpr const char* kConnectFailed = "Erro ao tentar conectar com o banco de dados %s: ";
inline constexpr const char* kListFailed = "Erro ao tentar ler tabelas do banco de dados %s: ";

inline constexpr const char* kCannotInsert = "Não é possível inserir linhas";
inline constexpr const char* kCannotFocus = "Não é possível focar uma janela invisível ou não permitida";

// The login box.
inline constexpr const char* kLoginCaption = "Database Login";
inline constexpr const char* kLoginDatabase = "Database:";
inline constexpr const char* kLoginUserName = "&User Name:";
inline constexpr const char* kLoginPassword = "&Password:";
inline constexpr const char* kLoginOk = "&OK";
inline constexpr const char* kLoginCancel = "Cancel";

}  // namespace dialog::msg
