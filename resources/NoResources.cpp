// Keeps the resource library non-empty while no template file exists.
namespace kantomix_resources_detail {
int noTemplates = 0;
}
