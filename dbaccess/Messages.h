#pragma once

// The texts of the data-access layer. "%s" stands for the names the message
// gives, in order.
namespace dbaccess::msg {

inline constexpr const char* kEngineStart =
    "Um erro ocorreu durante a inicialização do Borland Database Engine (erro $%s)";
inline constexpr const char* kConfigUnreadable = "O arquivo de configuração '%s' não pode ser lido";
inline constexpr const char* kConfigMalformed = "O arquivo de configuração '%s' tem uma linha inválida: %s";
inline constexpr const char* kAliasUnknown = "Alias desconhecido: '%s'";
inline constexpr const char* kAliasNoType = "O alias '%s' não tem a entrada TYPE";
inline constexpr const char* kAliasBadType = "O alias '%s' tem um TYPE desconhecido: '%s'";
inline constexpr const char* kAliasNoEntry = "O alias '%s' não tem a entrada %s";
inline constexpr const char* kLoginCancelled = "Não é possível conectar com o banco de dados '%s'";
inline constexpr const char* kDuplicateDatabase = "Nome de banco de dados duplicado: '%s'";
inline constexpr const char* kDatabaseNotFound = "Banco de dados não encontrado: '%s'";
inline constexpr const char* kDatabaseConnected =
    "Não é possível executar esta operação em um banco de dados conectado";
inline constexpr const char* kTableOpen = "Não é possível executar esta operação em uma tabela aberta";
inline constexpr const char* kTableClosed = "Não é possível executar esta operação em uma tabela fechada";
inline constexpr const char* kNotEditing = "A tabela não está em modo de inserção";
inline constexpr const char* kNoTableName = "Nome da tabela não informado";
inline constexpr const char* kTableNotFound = "Tabela não encontrada: '%s'";
inline constexpr const char* kTableInUse = "Tabela em uso: '%s'";
inline constexpr const char* kLocalIsolation =
    "O nível de isolamento da transação deve ser dirty read para os banco de dados locais";
inline constexpr const char* kTransactionActive = "Uma transação já está ativa";
inline constexpr const char* kNoTransaction = "Nenhuma transação está ativa";

// Field texts.
inline constexpr const char* kFieldReadOnly = "Campo '%s' não pode ser modificado";
inline constexpr const char* kFieldRequired = "Campo '%s' deve ter um valor";
inline constexpr const char* kFieldOutOfRange = "Valor do campo '%s' está fora de faixa";
inline constexpr const char* kFieldBadVariant = "Tipo ou tamanho da variante inválido para o campo '%s'";
inline constexpr const char* kFieldBadValue = "Valor inválido para o campo '%s'";
inline constexpr const char* kFieldAccess = "Não é possível acessar o campo '%s' do tipo %s";
inline constexpr const char* kNotAnInteger = "'%s' is not a valid integer value";

}  // namespace dbaccess::msg
